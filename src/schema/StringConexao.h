#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fendril {

// A connection string read as OLE DB reads one: pairs key=value separated by ";", keys
// matched without regard to letter case and trimmed, values optionally enclosed in double
// or single quotes (a doubled quote inside stands for one).
class TStringConexao {
public:
    explicit TStringConexao(std::string_view texto);

    // The value of the first pair with that key; none when the key is absent.
    std::optional<std::string> Valor(std::string_view chave) const;

    const std::vector<std::pair<std::string, std::string>>& Pares() const { return m_pares; }

private:
    std::vector<std::pair<std::string, std::string>> m_pares;
};

// Whether a connection string names the native SQLite provider ("Provider=SQLite").
bool EhProviderSQLite(std::string_view stringConexao);

// The string the ODBC driver manager receives: a leading Provider=MSDASQL or
// Provider=MSDASQL.1 pair is removed, everything else is kept as written.
std::string StringODBC(std::string_view stringConexao);

// A value as it may be written in an ODBC connection string: enclosed in braces when it
// holds a ";", a brace or leading or trailing spaces.
std::string ValorODBC(std::string_view valor);

} // namespace fendril
