#pragma once

// The mapping window as the tests drive it: connecting, and the tree's nodes found by
// table and column name.

#include "AmbienteUi.h"
#include "documents/DocumentoMapeamento.h"
#include "model/TControlaColunas.h"
#include "ui/TFormFilha.h"

#include <QComboBox>
#include <QLineEdit>
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

// Opens in the window a mapping of `tabelas` tables ("dbo.table10000", "dbo.Table10001",
// ...) of `colunas` columns each ("col10", "Col11", ..., written in reverse order), the
// first column of each table its primary key.
inline void AbreMapeamentoGrande(TFormFilha* janela, int tabelas, int colunas) {
    Controle<QLineEdit>(janela, QStringLiteral("Edit_autor"))->setText(QStringLiteral("Ana"));
    TDescricaoMapeamento descricao = LeDocumentoMapeamento(janela->getArquivo());
    TListaTextos linhas;
    for (int t = 0; t < tabelas; ++t) {
        for (int c = colunas - 1; c >= 0; --c) {
            TColuna coluna;
            coluna.nome = (c % 2 ? "Col" : "col") + std::to_string(10 + c);
            coluna.setChavePrimaria(c == 0 ? 1 : 0);
            coluna.getTabela().esquema = "dbo";
            coluna.getTabela().nome = (t % 2 ? "Table" : "table") + std::to_string(10000 + t);
            linhas.push_back(coluna.Codifica());
        }
    }
    descricao.controlaColunas = std::make_unique<TControlaColunas>(linhas.size());
    descricao.controlaColunas->CarregaLinhas(linhas);
    janela->setArquivo(MontaDocumentoMapeamento(descricao));
}

} // namespace fendril::teste
