#include "model/Log.h"

#include "model/AvisosCompilador.h"

#include <ctime>

namespace fendril {

namespace {

std::string Formata(const char* formato) {
    const std::time_t agora = std::time(nullptr);
    std::tm local{};
    localtime_r(&agora, &local);
    char texto[64];
    const std::size_t tamanho = std::strftime(texto, sizeof texto, formato, &local);
    return std::string(texto, tamanho);
}

TFormatoDataHora& Formato() {
    static TFormatoDataHora formato;
    return formato;
}

} // namespace

void DefineFormatoDataHora(TFormatoDataHora formato) {
    Formato() = std::move(formato);
}

std::string DataAtual() {
    return Formato().data ? Formato().data() : Formata("%Y-%m-%d");
}

std::string TextoDeLog(std::string_view mensagem) {
    // A message holds names from databases and templates; a control character in one is
    // written as an escape, so that a line break cannot start a line of its own.
    static constexpr char Hex[] = "0123456789abcdef";
    std::string texto;
    texto.reserve(mensagem.size());
    for (const char c : mensagem) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '\r') {
            texto.append("\\r");
        } else if (c == '\n') {
            texto.append("\\n");
        } else if (c == '\t') {
            texto.append("\\t");
        } else if (b < 0x20 || b == 0x7F) {
            texto.append("\\x").append(1, Hex[b >> 4]).append(1, Hex[b & 0x0F]);
        } else {
            texto.push_back(c);
        }
    }
    return texto;
}

std::string LinhaLog(std::string_view mensagem) {
    if (Formato().hora || Formato().data) {
        const std::string hora = Formato().hora ? Formato().hora() : Formata("%H:%M:%S");
        FENDRIL_GCC12_SEM_WRESTRICT_INICIO
        std::string linha = "[" + DataAtual() + ";" + hora + "]: ";
        FENDRIL_GCC12_SEM_WRESTRICT_FIM
        linha.append(TextoDeLog(mensagem));
        return linha;
    }
    // The clock's prefix, formatted once per second: a load logs several lines per table,
    // and the local time conversion cost more than the rest of each line.
    thread_local std::time_t segundo = -1;
    thread_local std::string prefixo;
    if (const std::time_t agora = std::time(nullptr); agora != segundo) {
        std::tm local{};
        localtime_r(&agora, &local);
        char texto[64];
        const std::size_t tamanho =
            std::strftime(texto, sizeof texto, "[%Y-%m-%d;%H:%M:%S]: ", &local);
        prefixo.assign(texto, tamanho);
        segundo = agora;
    }
    std::string linha = prefixo;
    linha.append(TextoDeLog(mensagem));
    return linha;
}

} // namespace fendril
