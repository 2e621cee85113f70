#pragma once

// What the tests of the template windows share: a new window of a kind, its controls by
// objectName, typing into an edit, and the nodes of the tag tree.

#include "ui/frame/TFormTelaPrincipal.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTreeWidget>

namespace fendril::teste {

// A new window of the kind `extensao`, opened as the main window's New command does.
template <typename Janela>
Janela* NovaJanelaDe(TFormTelaPrincipal& principal, const QString& extensao) {
    auto* janela = qobject_cast<Janela*>(principal.NovoDocumento(extensao));
    QCoreApplication::processEvents();
    return janela;
}

template <typename T> T* Controle(QObject* janela, const QString& nome) {
    T* controle = janela->findChild<T*>(nome);
    if (!controle)
        qFatal("no control named %s", qPrintable(nome));
    return controle;
}

inline QPlainTextEdit* Editor(QObject* janela, const char* nome) {
    return Controle<QPlainTextEdit>(janela, QString::fromLatin1(nome));
}

// Types `texto` into the line edit `nome`, key by key.
inline void Digita(QObject* janela, const char* nome, const QString& texto) {
    QTest::keyClicks(Controle<QLineEdit>(janela, QString::fromLatin1(nome)), texto);
}

inline QString TextoDe(QObject* janela, const char* nome) {
    return Controle<QLineEdit>(janela, QString::fromLatin1(nome))->text();
}

inline QTreeWidgetItem* NoDaArvore(QTreeWidget* arvore, const QString& texto) {
    const auto achados = arvore->findItems(texto, Qt::MatchExactly | Qt::MatchRecursive);
    return achados.isEmpty() ? nullptr : achados.first();
}

} // namespace fendril::teste
