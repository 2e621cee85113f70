#pragma once

// What the ODBC readers share: the driver's diagnostics as one message, the check of a
// call's result, and a column value read whole as text.

#include "model/Erros.h"
#include "schema/FonteEsquema.h"

#include <sql.h>
#include <string>

namespace fendril {

// Every diagnostic record of the handle, joined by spaces; "ODBC call failed" when the
// driver left none. `estado`, when given, receives the SQLSTATE of the first record.
std::string DiagnosticoODBC(SQLSMALLINT tipo, SQLHANDLE handle, std::string* estado = nullptr);

// A failed ODBC call: the diagnostics, and the SQLSTATE of the first record.
class EFalhaODBC : public Exception {
public:
    EFalhaODBC(const std::string& mensagem, std::string estado)
        : Exception(mensagem), m_estado(std::move(estado)) {}
    const std::string& estado() const { return m_estado; }

private:
    std::string m_estado;
};

// Raises EFalhaODBC with the handle's diagnostics unless `r` succeeded or is SQL_NO_DATA.
void VerificaODBC(SQLRETURN r, SQLSMALLINT tipo, SQLHANDLE handle);

// Column `coluna` (from 1) of the statement's current row as text, read in pieces as long
// as the driver has more; Null for SQL NULL.
TValor LeValorODBC(SQLHSTMT comando, SQLUSMALLINT coluna);

} // namespace fendril
