#include "schema/windows/TFormConexao.h"

#include "schema/StringConexao.h"
#include "ui/Dialogos.h"
#include "ui/Texto.h"

#include <QFile>

namespace fendril {

namespace {

void GravaUdl(const QString& caminho, const QString& stringConexao) {
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    const std::string conteudo = EscreveUdl(deQString(stringConexao));
    arquivo.write(conteudo.data(), static_cast<qint64>(conteudo.size()));
}

} // namespace

TFormConexao::TFormConexao(QWidget* pai, const QString& caminhoUdl)
    : QDialog(pai), m_caminhoUdl(caminhoUdl) {
    setObjectName(QStringLiteral("TFormConexao"));
    setWindowTitle(QStringLiteral("Connection"));
}

void TFormConexao::EditaArquivoUdl(QWidget* pai, const QString& caminhoUdl) {
    if (Dialogos::modoResposta()) {
        const std::optional<QString> resposta = Dialogos::TomaTexto(QStringLiteral("Connection"));
        if (resposta && !resposta->isNull())
            GravaUdl(caminhoUdl, *resposta);
        return;
    }
    TFormConexao dialogo(pai, caminhoUdl);
    dialogo.exec();
}

QString getConnectionString(QWidget* pai, const QString& nomeBase) {
    const QString caminho = nomeBase + QStringLiteral(".udl");
    {
        QFile arquivo(caminho);
        if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
    }
    TFormConexao::EditaArquivoUdl(pai, caminho);
    QString resultado;
    QFile arquivo(caminho);
    if (arquivo.open(QIODevice::ReadOnly)) {
        const QByteArray conteudo = arquivo.readAll();
        arquivo.close();
        resultado = paraQString(LeStringUdl(
            std::string_view(conteudo.constData(), static_cast<std::size_t>(conteudo.size()))));
    }
    QFile::remove(caminho);
    return resultado;
}

} // namespace fendril
