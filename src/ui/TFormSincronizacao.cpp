#include "ui/TFormSincronizacao.h"

#include "ui/frame/AcoesPendentes.h"
#include "ui/frame/Texto.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace fendril {

TFormSincronizacao::TFormSincronizacao(const TRefreshChanges& mudancas, QWidget* pai)
    : QDialog(pai) {
    setObjectName(QStringLiteral("FormSincronizacao"));
    setWindowTitle(QStringLiteral("Synchronise With Database"));
    auto* layout = new QVBoxLayout(this);
    auto* rotulo = new QLabel(
        QStringLiteral("The Database Differs From The Mapping. Untick What Not To Apply:"), this);
    rotulo->setObjectName(QStringLiteral("lb_mudancas"));
    layout->addWidget(rotulo);

    m_lista = new QTreeWidget(this);
    m_lista->setObjectName(QStringLiteral("lista_mudancas"));
    m_lista->setHeaderHidden(true);
    m_lista->setUniformRowHeights(true);
    m_lista->setMinimumSize(560, 320);
    QTreeWidgetItem* tabela = nullptr;
    for (const TRefreshChange& mudanca : mudancas) {
        if (!tabela || tabela->data(0, Qt::UserRole).toString() != paraQString(mudanca.table)) {
            tabela = new QTreeWidgetItem(m_lista);
            tabela->setText(0, QStringLiteral("Table \"") + paraQString(mudanca.table) +
                                   QLatin1Char('"'));
            tabela->setData(0, Qt::UserRole, paraQString(mudanca.table));
            tabela->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
        }
        auto* item = new QTreeWidgetItem(tabela);
        item->setText(0, paraQString(mudanca.text));
        if (mudanca.applicable) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(0, Qt::Checked);
        } else {
            // Only reported: no box, shown apart.
            item->setFlags(Qt::ItemIsEnabled);
            QFont fonte = item->font(0);
            fonte.setItalic(true);
            item->setFont(0, fonte);
        }
        m_itens.push_back(item);
    }
    m_lista->expandAll();
    m_lista->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_lista->header()->setStretchLastSection(false);
    layout->addWidget(m_lista, 1);

    auto* botoes = new QDialogButtonBox(this);
    QPushButton* aplicar = botoes->addButton(QStringLiteral("Apply"), QDialogButtonBox::AcceptRole);
    aplicar->setObjectName(QStringLiteral("but_aplicar"));
    aplicar->setDefault(true);
    QPushButton* cancelar =
        botoes->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancelar->setObjectName(QStringLiteral("but_cancelar"));
    connect(botoes, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(botoes);
}

TFormSincronizacao::~TFormSincronizacao() = default;

bool TFormSincronizacao::Executa() {
    TAcoesPendentes<TFormSincronizacao>::Executa(*this);
    return result() == QDialog::Accepted;
}

void TFormSincronizacao::ProximaAcao(std::function<void(TFormSincronizacao&)> acao) {
    TAcoesPendentes<TFormSincronizacao>::Acrescenta(std::move(acao));
}

std::vector<bool> TFormSincronizacao::marcadas() const {
    std::vector<bool> marcas;
    marcas.reserve(m_itens.size());
    for (const QTreeWidgetItem* item : m_itens) {
        marcas.push_back(item->checkState(0) == Qt::Checked);
    }
    return marcas;
}

} // namespace fendril
