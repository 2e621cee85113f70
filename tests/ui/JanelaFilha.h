#pragma once

// The mapping window as the tests drive it: connecting, and the tree's nodes found by
// table and column name.

#include "AmbienteUi.h"
#include "ui/TFormFilha.h"

#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>

namespace fendril::teste {

// The node of `tabela`, or of its column `coluna`; the test stops when there is none.
inline QTreeWidgetItem* No(TFormFilha* janela, const QString& tabela,
                           const QString& coluna = QString()) {
    QTreeWidget* arvore = janela->arvore();
    for (int t = 0; t < arvore->topLevelItemCount(); ++t) {
        QTreeWidgetItem* no = arvore->topLevelItem(t);
        if (no->text(0) != tabela)
            continue;
        if (coluna.isEmpty())
            return no;
        for (int c = 0; c < no->childCount(); ++c)
            if (no->child(c)->text(0) == coluna)
                return no->child(c);
    }
    qFatal("no tree node %s %s", qPrintable(tabela), qPrintable(coluna));
}

inline void Seleciona(TFormFilha* janela, const QString& tabela,
                      const QString& coluna = QString()) {
    janela->arvore()->setCurrentItem(No(janela, tabela, coluna));
}

// Connects with the connection string the window holds to `baseDados`; the test stops
// when it cannot.
inline void Conecta(TFormFilha* janela, const QString& baseDados) {
    Controle<QComboBox>(janela, QStringLiteral("combo_basedados"))->setEditText(baseDados);
    Controle<QPushButton>(janela, QStringLiteral("but_conectar"))->click();
    if (!janela->conectado())
        qFatal("cannot connect: %s", qPrintable(Dialogos::TomaMensagens().join(' ')));
}

} // namespace fendril::teste
