#pragma once

#include "schema/FonteEsquema.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace fendril {

// A read-only query over a connection string, walked forward a few rows at a time, so that
// a window shows the first rows of a large table at once. The provider is chosen as the
// readers choose it: native SQLite for "Provider=SQLite", ODBC otherwise. Values are read
// as text; Null stays Null.
class TConsulta {
public:
    TConsulta();
    ~TConsulta();
    TConsulta(const TConsulta&) = delete;
    TConsulta& operator=(const TConsulta&) = delete;

    // Opens the connection and, when `nomeBaseDados` is not empty, makes it the default
    // database. Raises an Exception with the provider's message.
    void Abre(const std::string& stringConexao, const std::string& usuario,
              const std::string& senha, const std::string& nomeBaseDados = "");
    bool Aberta() const;
    // The character the connected database quotes identifiers with ("\"" for SQLite); ""
    // when it does not quote them.
    const std::string& AspasIdentificador() const { return m_aspas; }
    // Whether table names of the connected database have a schema part (SQLite's do not).
    bool ComEsquemas() const { return m_comEsquemas; }

    // Runs a query; its column names are known at once and its rows are read by Proximas.
    // Raises with the provider's message.
    void Executa(const std::string& sql);
    const std::vector<std::string>& Colunas() const { return m_colunas; }
    // Up to `quantidade` further rows; fewer (or none) at the end. Raises on a failure.
    std::vector<TLinhaValores> Proximas(std::size_t quantidade);
    bool Fim() const { return m_fim; }

    // Ends the query and the connection; failures while closing are ignored.
    void Fecha();

    struct Estado;

private:
    std::unique_ptr<Estado> m_estado;
    std::string m_aspas;
    bool m_comEsquemas = false;
    std::vector<std::string> m_colunas;
    bool m_fim = true;
};

// An identifier as a query writes it: enclosed in `aspas`, each `aspas` inside doubled;
// unchanged when `aspas` is empty.
std::string CitaIdentificador(const std::string& nome, const std::string& aspas);

// A qualified table name ("schema.table", or a bare table name) as a query writes it: the
// schema (split at the first ".") and the table each quoted with CitaIdentificador; the
// whole name quoted as one when the database has no schemas.
std::string CitaNomeTabela(const std::string& nome, const std::string& aspas,
                           bool comEsquemas = true);

} // namespace fendril
