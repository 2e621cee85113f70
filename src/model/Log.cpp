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

std::string LinhaLog(std::string_view mensagem) {
    const std::string hora = Formato().hora ? Formato().hora() : Formata("%H:%M:%S");
    FENDRIL_GCC12_SEM_WRESTRICT_INICIO
    std::string linha = "[" + DataAtual() + ";" + hora + "]: ";
    FENDRIL_GCC12_SEM_WRESTRICT_FIM
    linha.append(mensagem);
    return linha;
}

} // namespace fendril
