#include "model/Erros.h"

namespace fendril {

EErroGeral EErroGeral::Create(const std::string& texto) {
    return EErroGeral(texto, texto);
}

EErroGeral EErroGeral::CreateCopia(const EErroGeral& erro) {
    return EErroGeral(erro.textoErro(), erro.textoErro());
}

EErroGeral EErroGeral::CreateDeExcecao(const std::exception& excecao, const std::string& texto) {
    return EErroGeral(excecao.what(), texto);
}

EListError::EListError(std::size_t index)
    : Exception("List index out of bounds (" + std::to_string(index) + ")") {}

EListError::EListError(std::size_t index, std::string_view pedido)
    : Exception("List index out of bounds (" + std::to_string(index) +
                "): " + std::string(pedido)) {}

} // namespace fendril
