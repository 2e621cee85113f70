#include "schema/ChamadasODBC.h"

#include "model/Erros.h"

#include <sqlext.h>

namespace fendril {

std::string DiagnosticoODBC(SQLSMALLINT tipo, SQLHANDLE handle, std::string* estadoPrimeiro) {
    std::string texto;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLCHAR estado[6] = {};
        SQLCHAR mensagem[1024] = {};
        SQLINTEGER nativo = 0;
        SQLSMALLINT tamanho = 0;
        const SQLRETURN r = SQLGetDiagRec(tipo, handle, i, estado, &nativo, mensagem,
                                          static_cast<SQLSMALLINT>(sizeof mensagem), &tamanho);
        if (!SQL_SUCCEEDED(r)) {
            break;
        }
        if (i == 1 && estadoPrimeiro != nullptr) {
            *estadoPrimeiro = reinterpret_cast<const char*>(estado);
        }
        // Drivers break some messages over lines (libpq's end with one and indent their
        // hints); the text is one line, each run of breaks and tabs a single space.
        std::string parte;
        for (const char* c = reinterpret_cast<const char*>(mensagem); *c != '\0'; ++c) {
            if (*c != '\n' && *c != '\r' && *c != '\t') {
                parte.push_back(*c);
            } else if (!parte.empty() && parte.back() != ' ') {
                parte.push_back(' ');
            }
        }
        while (!parte.empty() && parte.back() == ' ') {
            parte.pop_back();
        }
        if (!texto.empty()) {
            texto += ' ';
        }
        texto += parte;
    }
    return texto.empty() ? "ODBC call failed" : texto;
}

void VerificaODBC(SQLRETURN r, SQLSMALLINT tipo, SQLHANDLE handle) {
    if (!SQL_SUCCEEDED(r) && r != SQL_NO_DATA) {
        std::string estado;
        std::string mensagem = DiagnosticoODBC(tipo, handle, &estado);
        throw EFalhaODBC(mensagem, std::move(estado));
    }
}

TValor LeValorODBC(SQLHSTMT comando, SQLUSMALLINT coluna) {
    std::string texto;
    char buffer[1024];
    for (;;) {
        SQLLEN indicador = 0;
        const SQLRETURN r = SQLGetData(comando, coluna, SQL_C_CHAR, buffer,
                                       static_cast<SQLLEN>(sizeof buffer), &indicador);
        if (r == SQL_NO_DATA) {
            break;
        }
        VerificaODBC(r, SQL_HANDLE_STMT, comando);
        if (indicador == SQL_NULL_DATA) {
            return TValor::Nulo();
        }
        // A piece that filled the buffer: its last byte is the terminator, more follows.
        if (r == SQL_SUCCESS_WITH_INFO &&
            (indicador == SQL_NO_TOTAL || indicador >= static_cast<SQLLEN>(sizeof buffer))) {
            texto.append(buffer, sizeof buffer - 1);
            continue;
        }
        texto.append(buffer, static_cast<std::size_t>(indicador));
        break;
    }
    return TValor::De(std::move(texto));
}

} // namespace fendril
