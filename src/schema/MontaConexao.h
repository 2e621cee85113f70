#pragma once

#include <string>
#include <vector>

namespace fendril {

// What the connection dialog offers and builds: the ODBC drivers and data sources the
// driver manager knows, and the connection strings of each provider.

// The names of the installed ODBC drivers, in the driver manager's order.
std::vector<std::string> DriversODBC();

// A data source name the driver manager knows (user and system ones).
struct TFonteDadosODBC {
    std::string nome;
    std::string descricao; // the driver it uses, as the driver manager describes it
};
std::vector<TFonteDadosODBC> FontesDadosODBC();

// "Provider=SQLite;Data Source=" + the file, the file enclosed in double quotes when it
// holds a ";", a quote or leading or trailing spaces.
std::string StringConexaoSQLite(const std::string& arquivo);

// "Provider=MSDASQL;Driver={driver}" followed by Server, Port and Database, each only when
// given.
struct TCamposServidor {
    std::string driver;
    std::string servidor;
    std::string porta;
    std::string baseDados;
};
std::string StringConexaoDriver(const TCamposServidor& campos);

// "Provider=MSDASQL;DSN=" + the data source name.
std::string StringConexaoDSN(const std::string& fonte);

// An ODBC string as written by the user, behind "Provider=MSDASQL;" unless it already names
// a provider.
std::string StringConexaoODBC(const std::string& texto);

// Opens and closes a connection as the readers open one; "" when it opened, else the
// provider's message.
std::string TestaConexao(const std::string& stringConexao, const std::string& usuario,
                         const std::string& senha);

} // namespace fendril
