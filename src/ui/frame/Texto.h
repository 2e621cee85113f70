#pragma once

// The one place where the program's texts cross between the core (std::string, UTF-8)
// and Qt (QString).

#include <QString>
#include <QStringList>
#include <string>
#include <string_view>
#include <vector>

namespace fendril {

inline QString paraQString(std::string_view texto) {
    return QString::fromUtf8(texto.data(), static_cast<qsizetype>(texto.size()));
}

inline std::string deQString(const QString& texto) {
    const QByteArray bytes = texto.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// An editor's plain text uses LF between lines; documents and text files keep CR LF.
inline std::string textoEditorParaDocumento(const QString& texto) {
    QString comCR = texto;
    comCR.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return deQString(comCR);
}

inline QString textoDocumentoParaEditor(std::string_view texto) {
    QString semCR = paraQString(texto);
    semCR.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    semCR.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return semCR;
}

// A list of core texts and back, item by item.
inline QStringList paraQStringList(const std::vector<std::string>& textos) {
    QStringList lista;
    lista.reserve(static_cast<qsizetype>(textos.size()));
    for (const std::string& texto : textos)
        lista.append(paraQString(texto));
    return lista;
}

inline std::vector<std::string> deQStringList(const QStringList& lista) {
    std::vector<std::string> textos;
    textos.reserve(static_cast<std::size_t>(lista.size()));
    for (const QString& texto : lista)
        textos.push_back(deQString(texto));
    return textos;
}

} // namespace fendril
