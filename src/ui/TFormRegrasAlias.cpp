#include "ui/TFormRegrasAlias.h"

#include "ui/frame/AcoesPendentes.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace fendril {

namespace {

QComboBox* NovaRegra(QWidget* pai, const QString& nome, const QStringList& sugestoes) {
    auto* combo = new QComboBox(pai);
    combo->setObjectName(nome);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(sugestoes);
    combo->setMinimumContentsLength(18);
    return combo;
}

} // namespace

TFormRegrasAlias::TFormRegrasAlias(QWidget* pai) : QDialog(pai) {
    setObjectName(QStringLiteral("FormRegrasAlias"));
    setWindowTitle(QStringLiteral("Fill Empty Aliases"));
    auto* layout = new QVBoxLayout(this);
    auto* explicacao = new QLabel(
        QStringLiteral("Empty aliases are made from the names by these filters (upper, lower, "
                       "pascal, camel, snake, kebab, macro, plural, singular, ident), applied "
                       "left to right. Aliases already set are kept; an empty rule fills none."),
        this);
    explicacao->setWordWrap(true);
    layout->addWidget(explicacao);
    auto* formulario = new QFormLayout;
    m_tabelas =
        NovaRegra(this, QStringLiteral("edit_regratabelas"),
                  {QStringLiteral("pascal:singular"), QStringLiteral("pascal"),
                   QStringLiteral("camel:singular"), QStringLiteral("snake:singular"), QString()});
    m_colunas = NovaRegra(
        this, QStringLiteral("edit_regracolunas"),
        {QStringLiteral("camel"), QStringLiteral("pascal"), QStringLiteral("snake"), QString()});
    formulario->addRow(QStringLiteral("Table Aliases"), m_tabelas);
    formulario->addRow(QStringLiteral("Column Aliases"), m_colunas);
    layout->addLayout(formulario);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    botoes->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("but_ok"));
    botoes->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("but_cancelar"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(botoes);
    setMinimumWidth(420);
}

TFormRegrasAlias::~TFormRegrasAlias() = default;

bool TFormRegrasAlias::Executa() {
    TAcoesPendentes<TFormRegrasAlias>::Executa(*this);
    return result() == QDialog::Accepted;
}

void TFormRegrasAlias::ProximaAcao(std::function<void(TFormRegrasAlias&)> acao) {
    TAcoesPendentes<TFormRegrasAlias>::Acrescenta(std::move(acao));
}

QString TFormRegrasAlias::regraTabelas() const {
    return m_tabelas->currentText().trimmed();
}

QString TFormRegrasAlias::regraColunas() const {
    return m_colunas->currentText().trimmed();
}

void TFormRegrasAlias::setRegras(const QString& tabelas, const QString& colunas) {
    m_tabelas->setEditText(tabelas);
    m_colunas->setEditText(colunas);
}

} // namespace fendril
