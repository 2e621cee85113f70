#pragma once

// What the ODBC readers share: the driver's diagnostics as one message, the check of a
// call's result, and a column value read whole as text.

#include "schema/FonteEsquema.h"

#include <sql.h>
#include <string>

namespace fendril {

// Every diagnostic record of the handle, joined by spaces; "ODBC call failed" when the
// driver left none.
std::string DiagnosticoODBC(SQLSMALLINT tipo, SQLHANDLE handle);

// Raises Exception with the handle's diagnostics unless `r` succeeded or is SQL_NO_DATA.
void VerificaODBC(SQLRETURN r, SQLSMALLINT tipo, SQLHANDLE handle);

// Column `coluna` (from 1) of the statement's current row as text, read in pieces as long
// as the driver has more; Null for SQL NULL.
TValor LeValorODBC(SQLHSTMT comando, SQLUSMALLINT coluna);

} // namespace fendril
