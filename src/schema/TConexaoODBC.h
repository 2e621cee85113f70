#pragma once

#include "schema/FonteEsquema.h"

#include <memory>
#include <string>

namespace fendril {

// The ODBC provider (unixODBC): every connection string that does not name another
// provider. A leading Provider=MSDASQL or Provider=MSDASQL.1 is removed and the rest goes to
// the driver manager, with UID and PWD added when a user name or password is given.
//
// Whatever the driver does, the rowsets are delivered at the standard ordinals with OLE DB
// type indicators (mapped from the ODBC SQL types as the OLE DB provider for ODBC maps
// them); catalog arguments are matched exactly; primary and foreign keys are delivered for
// every table; every user schema is listed; index relations, sequences and system catalogs
// are not tables. Only catalog functions and, for PostgreSQL, read-only catalog queries are
// used: nothing is ever written.
class TConexaoODBC : public TConexaoCatalogo {
public:
    TConexaoODBC();
    ~TConexaoODBC() override;

    void Open(const std::string& stringConexao, const std::string& usuario,
              const std::string& senha) override;
    void DefaultDatabase(const std::string& nome) override;
    void Close() override;
    std::string BaseDadosAtual() const override;

    // The connection handle (SQLHDBC) while open, for queries of rows; null while closed.
    void* Handle() const;

    struct Estado;

protected:
    TDadosRowset LeEsquema(TEsquema esquema) override;

private:
    std::unique_ptr<Estado> m_estado;
};

// The OLE DB type indicator the OLE DB provider for ODBC reports for an ODBC SQL type.
int TipoOLEDeSQL(int tipoSQL, bool semSinal);

} // namespace fendril
