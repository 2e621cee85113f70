#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace fendril {

// The data type of a column. Every field is zero or empty in a new record.
class TTipoDado {
public:
    std::string nome;                  // TYPE_NAME of the provider type chosen
    std::int32_t tamanho = 0;          // CHARACTER_MAXIMUM_LENGTH; -1 when none
    std::int32_t precisao = 0;         // NUMERIC_PRECISION; -1 when none or date/time
    std::int32_t escala = 0;           // NUMERIC_SCALE; -1 when none
    std::int32_t tipoOLE = 0;          // DATA_TYPE; -1 when no known provider type matches
    std::int32_t precisaoDataHora = 0; // DATETIME_PRECISION; -1 when not a date/time column
    std::string melhorCorrespondencia; // "1" or "0": BEST_MATCH of the provider type

    // tamanho, or precisao when tamanho is -1.
    std::int32_t getTamanho() const { return tamanho == -1 ? precisao : tamanho; }
    // precisao, or precisaoDataHora when precisao is -1.
    std::int32_t getPrecisao() const { return precisao == -1 ? precisaoDataHora : precisao; }
    // A new record (all zero) counts as a date column too.
    bool EhData() const { return precisaoDataHora != -1; }

    std::string Codifica() const;
    // Appends Codifica() to `texto`.
    void CodificaEm(std::string& texto) const;
    void Decodifica(std::string_view texto);
};

} // namespace fendril
