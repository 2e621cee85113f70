#include "ui/ListaProblemas.h"

#include "engine/TMontaCodigo.h"
#include "ui/frame/Texto.h"

#include <QHeaderView>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

namespace fendril {

TListaProblemas::TListaProblemas(QWidget* pai) : QTreeWidget(pai) {
    setObjectName(QStringLiteral("lista_problemas"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("Line"), QStringLiteral("Column"), QStringLiteral("Problem")});
    header()->setStretchLastSection(true);
    setColumnWidth(0, 60);
    setColumnWidth(1, 60);
    connect(this, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { VaiPara(indexOfTopLevelItem(item)); });
}

TListaProblemas::~TListaProblemas() = default;

void TListaProblemas::Diagnostica(QPlainTextEdit* editor, bool corpoDeTabela) {
    m_editor = editor;
    // The text as the document keeps it and the run expands it (CR LF between lines).
    std::vector<TDiagnostico> diagnosticos =
        TMontaCodigo::Diagnostica(textoEditorParaDocumento(editor->toPlainText()), corpoDeTabela);
    if (diagnosticos == m_diagnosticos)
        return;
    m_diagnosticos = std::move(diagnosticos);
    clear();
    QList<QTreeWidgetItem*> itens;
    for (const TDiagnostico& d : m_diagnosticos) {
        auto* item = new QTreeWidgetItem(
            {QString::number(d.linha), QString::number(d.coluna),
             (d.erro ? QStringLiteral("Error: ") : QStringLiteral("Warning: ")) +
                 paraQString(d.mensagem)});
        item->setToolTip(2, paraQString(d.mensagem));
        itens.append(item);
    }
    addTopLevelItems(itens);
}

void TListaProblemas::VaiPara(int linha) {
    if (!m_editor || linha < 0 || linha >= static_cast<int>(m_diagnosticos.size()))
        return;
    const TDiagnostico& d = m_diagnosticos[static_cast<std::size_t>(linha)];
    PosicionaCursor(m_editor, d.linha, d.coluna);
    m_editor->setFocus();
}

void TListaProblemas::PosicionaCursor(QPlainTextEdit* editor, std::size_t linha,
                                      std::size_t coluna) {
    const QTextBlock bloco = editor->document()->findBlockByNumber(static_cast<int>(linha) - 1);
    if (!bloco.isValid())
        return;
    // Columns count characters; the editor counts UTF-16 units.
    const QString texto = bloco.text();
    int unidade = 0;
    for (std::size_t c = 1; c < coluna && unidade < texto.size(); ++c)
        unidade += texto.at(unidade).isHighSurrogate() && unidade + 1 < texto.size() ? 2 : 1;
    QTextCursor cursor(bloco);
    cursor.setPosition(bloco.position() + unidade);
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
}

} // namespace fendril
