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

// The line of a .udl file after which the connection string stands.
inline constexpr std::string_view MarcadorUdl =
    "; Everything after this line is an OLE DB initstring";

// The connection string a .udl file holds: its bytes without the zero bytes (so that a
// UTF-16 file of ASCII text reads too), split into lines, and every line after the first
// marker line joined with nothing between them; "" when the marker is missing or last.
std::string LeStringUdl(std::string_view conteudo);

// The bytes of a .udl file holding the string: "[oledb]", the marker line and the string,
// each ended by CR LF, in UTF-8.
std::string EscreveUdl(std::string_view stringConexao);

} // namespace fendril
