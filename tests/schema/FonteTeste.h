#pragma once

#include "model/Log.h"
#include "schema/TConexaoFixa.h"

#include <memory>
#include <optional>

namespace fendril::teste {

// Builders of fixed rows at the standard ordinals; a null pointer stands for Null.
inline TValor V(const char* texto) {
    return texto ? TValor::De(texto) : TValor::Nulo();
}
inline TValor N(std::optional<std::int64_t> numero) {
    return numero ? TValor::De(*numero) : TValor::Nulo();
}

inline TLinhaValores Catalogo(const char* nome) {
    return {V(nome)};
}

inline TLinhaValores Tabela(const char* catalogo, const char* esquema, const char* nome,
                            const char* tipo = "TABLE") {
    return {V(catalogo), V(esquema), V(nome), V(tipo)};
}

struct TipoCol {
    std::optional<std::int64_t> tipo;
    std::optional<std::int64_t> tamanho, precisao, escala, dataHora;
};

inline TLinhaValores Coluna(const char* catalogo, const char* esquema, const char* tabela,
                            const char* nome, TipoCol tipo = {3, {}, 10, {}, {}}) {
    TLinhaValores linha(28);
    linha[0] = V(catalogo);
    linha[1] = V(esquema);
    linha[2] = V(tabela);
    linha[3] = V(nome);
    linha[11] = N(tipo.tipo);
    linha[13] = N(tipo.tamanho);
    linha[15] = N(tipo.precisao);
    linha[16] = N(tipo.escala);
    linha[17] = N(tipo.dataHora);
    return linha;
}

inline TLinhaValores Primaria(const char* catalogo, const char* esquema, const char* tabela,
                              const char* coluna) {
    return {V(catalogo), V(esquema), V(tabela), V(coluna)};
}

inline TLinhaValores Estrangeira(const char* esquemaPk, const char* tabelaPk, const char* colunaPk,
                                 const char* esquemaFk, const char* tabelaFk, const char* colunaFk,
                                 const char* catalogo = "shop") {
    TLinhaValores linha(18);
    linha[0] = V(catalogo);
    linha[1] = V(esquemaPk);
    linha[2] = V(tabelaPk);
    linha[3] = V(colunaPk);
    linha[6] = V(catalogo);
    linha[7] = V(esquemaFk);
    linha[8] = V(tabelaFk);
    linha[9] = V(colunaFk);
    return linha;
}

inline TLinhaValores TipoProvider(const char* nome, std::optional<std::int64_t> tipo,
                                  const char* parametros, std::optional<bool> melhor) {
    TLinhaValores linha(21);
    linha[0] = V(nome);
    linha[1] = N(tipo);
    linha[5] = V(parametros);
    linha[19] = melhor ? TValor::DeBooleano(*melhor) : TValor::Nulo();
    return linha;
}

// Log lines with a fixed date and time, so that tests can compare them whole.
inline void FixaDataHora() {
    DefineFormatoDataHora(
        {[] { return std::string("01/02/2026"); }, [] { return std::string("10:20:30"); }});
}
inline std::string L(const std::string& mensagem) {
    return "[01/02/2026;10:20:30]: " + mensagem;
}

} // namespace fendril::teste
