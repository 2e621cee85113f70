#pragma once

#include "schema/FonteEsquema.h"

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace fendril {

// A data source of fixed rows, for exercising the readers without a database. Rows are
// given at the standard ordinals; a row shorter than its layout reads Null past its end.
struct TFonteFixa {
    std::map<TEsquema, TDadosRowset> rowsets;
    // Rowsets the source does not offer, with the message of the failure (an absent rowset
    // is not offered either).
    std::map<TEsquema, std::string> falhas;
    // Rowsets whose request fails otherwise (a lost connection), with the message.
    std::map<TEsquema, std::string> erros;
    // When set, Open fails with this message.
    std::optional<std::string> falhaAbertura;
    // The names DefaultDatabase accepts; any name when empty.
    std::set<std::string> basesDados;

    // What the connections were asked, for tests that count round trips.
    int aberturas = 0;
    std::map<TEsquema, int> pedidos;

    void Adiciona(TEsquema esquema, TLinhaValores linha) {
        rowsets[esquema].linhas.push_back(std::move(linha));
    }
};

// A connection to a TFonteFixa. Every OpenSchema asks the source again, so that a test
// sees each request.
class TConexaoFixa : public TConexao {
public:
    explicit TConexaoFixa(std::shared_ptr<TFonteFixa> fonte) : m_fonte(std::move(fonte)) {}

    void Open(const std::string& stringConexao, const std::string& usuario,
              const std::string& senha) override;
    void DefaultDatabase(const std::string& nome) override;
    std::unique_ptr<TRowset> OpenSchema(TEsquema esquema, const TFiltro& restricoes) override;
    void Close() override { m_aberta = false; }

private:
    std::shared_ptr<TFonteFixa> m_fonte;
    bool m_aberta = false;
};

// A factory of connections to one fixed source.
TFabricaConexao FabricaFixa(std::shared_ptr<TFonteFixa> fonte);

} // namespace fendril
