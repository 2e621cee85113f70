#pragma once

// What every window test sets up: a fresh temporary folder as the current directory and as
// the installation directory the system's settings name (so settings, recent list and logs
// are written there), dialogs answered by the test, and the child window kinds registered.

#include "ui/Aplicacao.h"
#include "ui/frame/Dialogos.h"
#include "ui/frame/TFormTelaPrincipal.h"
#include "ui/frame/TJanelaFilha.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace fendril::teste {

class Ambiente {
public:
    explicit Ambiente(bool comDiretorioInstalado = true) : m_anterior(QDir::currentPath()) {
        IniciaAplicacao();
        Dialogos::setModoResposta(true);
        Dialogos::Limpa();
        QDir::setCurrent(m_pasta.path());
        // The system's settings are read from the test's folder.
        QSettings::setPath(QSettings::NativeFormat, QSettings::SystemScope, m_pasta.path());
        if (comDiretorioInstalado) {
            QSettings registro(QSettings::SystemScope, QStringLiteral("Quillon"),
                               QStringLiteral("Fendril"));
            registro.setValue(QStringLiteral("1.00/dir"), m_pasta.path());
        }
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

// The window's child control of type T named `nome`; the test stops when there is none.
template <typename T> T* Controle(const QObject* janela, const QString& nome) {
    T* controle = janela->findChild<T*>(nome);
    if (!controle)
        qFatal("no control named %s", qPrintable(nome));
    return controle;
}

inline QByteArray Conteudo(const QString& caminho) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::ReadOnly))
        return {};
    return arquivo.readAll();
}

// The SQLite provider's connection string for a database file, its path quoted.
inline QString ConexaoSQLite(const QString& arquivo) {
    return QStringLiteral("Provider=SQLite;Data Source=\"") + arquivo + QLatin1Char('"');
}

// The ODBC connection string of the shop database on the PostgreSQL server at `porta`.
inline QString ConexaoPostgreSQL(const QString& porta) {
    return QStringLiteral("Provider=MSDASQL;Driver={PostgreSQL Unicode};Server=127.0.0.1;"
                          "Port=%1;Database=shop")
        .arg(porta);
}

// The port of the PostgreSQL server ctest started, written in the folder FENDRIL_PG_DIR;
// empty when the test runs outside ctest.
inline QString PortaPostgreSQL() {
    const QString pasta = qEnvironmentVariable("FENDRIL_PG_DIR");
    if (pasta.isEmpty())
        return {};
    return QString::fromUtf8(Conteudo(pasta + QStringLiteral("/port"))).trimmed();
}

// A temporary folder for many small files: in memory (/dev/shm) when the system offers it,
// since writing 20,000 files to a busy disk takes far longer than reading them back.
inline std::unique_ptr<QTemporaryDir> PastaParaMuitosArquivos(const Ambiente& ambiente) {
    const QString memoria = QStringLiteral("/dev/shm");
    return std::make_unique<QTemporaryDir>(QFileInfo(memoria).isWritable()
                                               ? memoria + QStringLiteral("/fendril-XXXXXX")
                                               : ambiente.caminho(QStringLiteral("big-XXXXXX")));
}

// Writes under `raiz` the folders d000, d001, ... each holding the empty files f0.tpt,
// f1.tpt, ...; false when a file cannot be written.
inline bool CriaArvoreDeArquivos(const QString& raiz, int pastas, int arquivosPorPasta) {
    for (int d = 0; d < pastas; ++d) {
        const QString pasta = raiz + QStringLiteral("/d%1").arg(d, 3, 10, QLatin1Char('0'));
        QDir().mkpath(pasta);
        for (int f = 0; f < arquivosPorPasta; ++f) {
            QFile arquivo(pasta + QStringLiteral("/f%1.tpt").arg(f));
            if (!arquivo.open(QIODevice::WriteOnly))
                return false;
        }
    }
    return true;
}

} // namespace fendril::teste
