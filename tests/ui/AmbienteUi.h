#pragma once

// What every window test sets up: a fresh temporary folder as the current directory (the
// installation directory when no system setting names one), dialogs answered by the
// test, and the child window kinds registered.

#include "ui/Aplicacao.h"
#include "ui/Dialogos.h"
#include "ui/TFormTelaPrincipal.h"
#include "ui/TJanelaFilha.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace fendril::teste {

class Ambiente {
public:
    Ambiente() : m_anterior(QDir::currentPath()) {
        IniciaAplicacao();
        Dialogos::setModoResposta(true);
        Dialogos::Limpa();
        QDir::setCurrent(m_pasta.path());
    }
    ~Ambiente() {
        QDir::setCurrent(m_anterior);
        Dialogos::Limpa();
    }
    QString caminho(const QString& nome) const { return QDir(m_pasta.path()).filePath(nome); }
    QString pasta() const { return m_pasta.path(); }

private:
    QTemporaryDir m_pasta;
    QString m_anterior;
};

// A shown main window; its installation directory is the test's folder.
inline std::unique_ptr<TFormTelaPrincipal> NovaPrincipal() {
    auto principal = std::make_unique<TFormTelaPrincipal>();
    principal->resize(1200, 800);
    principal->show();
    QCoreApplication::processEvents();
    return principal;
}

inline QAction* Acao(QObject* dono, const QString& nome) {
    auto* acao = dono->findChild<QAction*>(nome);
    if (!acao)
        qFatal("no action named %s", qPrintable(nome));
    return acao;
}

inline QByteArray Conteudo(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    return arquivo.readAll();
}

} // namespace fendril::teste
