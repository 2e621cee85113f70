#include "ui/frame/PaginaDescricao.h"

#include "ui/frame/Datas.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace fendril {

namespace {

QLineEdit* CriaEdit(QWidget* pai, const QString& nome) {
    auto* edit = new QLineEdit(pai);
    edit->setObjectName(nome);
    return edit;
}

} // namespace

QDateEdit* CriaCampoData(QWidget* pai, const QDate& data) {
    auto* campo = new QDateEdit(data, pai);
    campo->setObjectName(QStringLiteral("edit_data"));
    campo->setDisplayFormat(FormatoDataCurta());
    campo->setCalendarPopup(true);
    campo->setMinimumWidth(130);
    return campo;
}

TCamposDescricao CriaCamposDescricao(QWidget* pagina, const QString& rotuloNome,
                                     const QDate& data) {
    TCamposDescricao campos;
    auto* layout = new QFormLayout(pagina);
    layout->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    campos.nome = CriaEdit(pagina, QStringLiteral("Edit_nome"));
    campos.autor = CriaEdit(pagina, QStringLiteral("Edit_autor"));
    campos.data = CriaCampoData(pagina, data);
    campos.data->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    campos.comentario = new QPlainTextEdit(pagina);
    campos.comentario->setObjectName(QStringLiteral("memo_comentario"));
    layout->addRow(rotuloNome, campos.nome);
    layout->addRow(QStringLiteral("Author"), campos.autor);
    layout->addRow(QStringLiteral("Date"), campos.data);
    layout->addRow(QStringLiteral("Annotation"), campos.comentario);
    return campos;
}

} // namespace fendril
