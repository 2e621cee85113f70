#pragma once

#include "model/Log.h"
#include "support/TConexaoFixa.h"

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
    return {V(nome)}; // CATALOG_NAME
}

inline TLinhaValores Tabela(const char* catalogo, const char* esquema, const char* nome,
                            const char* tipo = "TABLE") {
    return {V(catalogo), V(esquema), V(nome), V(tipo)}; // TABLE_CATALOG to TABLE_TYPE
}

struct TipoCol {
    std::optional<std::int64_t> tipo;
    std::optional<std::int64_t> tamanho, precisao, escala, dataHora;
};

inline TLinhaValores Coluna(const char* catalogo, const char* esquema, const char* tabela,
                            const char* nome, TipoCol tipo = {3, {}, 10, {}, {}}) {
    namespace c = rowset::columns;
    TLinhaValores linha(c::kCampos);
    linha[c::TABLE_CATALOG] = V(catalogo);
    linha[c::TABLE_SCHEMA] = V(esquema);
    linha[c::TABLE_NAME] = V(tabela);
    linha[c::COLUMN_NAME] = V(nome);
    linha[c::DATA_TYPE] = N(tipo.tipo);
    linha[c::CHARACTER_MAXIMUM_LENGTH] = N(tipo.tamanho);
    linha[c::NUMERIC_PRECISION] = N(tipo.precisao);
    linha[c::NUMERIC_SCALE] = N(tipo.escala);
    linha[c::DATETIME_PRECISION] = N(tipo.dataHora);
    return linha;
}

inline TLinhaValores Primaria(const char* catalogo, const char* esquema, const char* tabela,
                              const char* coluna) {
    return {V(catalogo), V(esquema), V(tabela), V(coluna)}; // TABLE_CATALOG to COLUMN_NAME
}

inline TLinhaValores Estrangeira(const char* esquemaPk, const char* tabelaPk, const char* colunaPk,
                                 const char* esquemaFk, const char* tabelaFk, const char* colunaFk,
                                 const char* catalogo = "shop") {
    namespace c = rowset::foreign_keys;
    TLinhaValores linha(c::kCampos);
    linha[c::PK_TABLE_CATALOG] = V(catalogo);
    linha[c::PK_TABLE_SCHEMA] = V(esquemaPk);
    linha[c::PK_TABLE_NAME] = V(tabelaPk);
    linha[c::PK_COLUMN_NAME] = V(colunaPk);
    linha[c::FK_TABLE_CATALOG] = V(catalogo);
    linha[c::FK_TABLE_SCHEMA] = V(esquemaFk);
    linha[c::FK_TABLE_NAME] = V(tabelaFk);
    linha[c::FK_COLUMN_NAME] = V(colunaFk);
    return linha;
}

inline TLinhaValores TipoProvider(const char* nome, std::optional<std::int64_t> tipo,
                                  const char* parametros, std::optional<bool> melhor) {
    namespace c = rowset::provider_types;
    TLinhaValores linha(c::kCampos);
    linha[c::TYPE_NAME] = V(nome);
    linha[c::DATA_TYPE] = N(tipo);
    linha[c::CREATE_PARAMS] = V(parametros);
    linha[c::BEST_MATCH] = melhor ? TValor::DeBooleano(*melhor) : TValor::Nulo();
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
