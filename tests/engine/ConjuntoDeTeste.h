#pragma once

#include "model/TControlaColunas.h"
#include "model/Textos.h"

#include <cstdint>
#include <string>
#include <vector>

namespace fendril::teste {

// One column of a test mapping.
struct Col {
    std::string tabela{}; // qualified: "dbo.Customers", or "Customers" without schema
    std::string nome{};
    std::string tipo = "int";
    bool pk = false;
    std::string fk{}; // referenced "table.column" ("dbo.Orders.id"); empty when none
    std::int32_t tamanho = -1;
    std::int32_t precisao = 10;
    std::int32_t escala = 0;
    std::int32_t dataHora = -1; // not a date column
    std::string alias{};
    std::string tbAlias{};
    std::string tbTipo = "TABLE";
    TColumnFacts facts{};
    std::string tbComment{};
    bool habilitado = true;
};

// A set holding one column per entry, in order.
void Preenche(TControlaColunas& conjunto, const std::vector<Col>& colunas);

// The correspondence lines most tests use.
const TListaTextos& TiposPadrao();

// Checks and expands `modelo` for `conjunto` (may be null) with database "shop" and
// parent class "Base"; the generated lines.
TListaTextos Expande(const TControlaColunas* conjunto, const TListaTextos& modelo,
                     const TListaTextos& tipos = TiposPadrao());

} // namespace fendril::teste
