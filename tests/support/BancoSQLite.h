#pragma once

#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace fendril::teste {

// Builds an SQLite file from an SQL script.
inline void CriaBanco(const std::string& caminho, const std::string& sql) {
    sqlite3* banco = nullptr;
    if (sqlite3_open(caminho.c_str(), &banco) != SQLITE_OK) {
        throw std::runtime_error("cannot create " + caminho);
    }
    char* erro = nullptr;
    // A throw-away file: no need to wait for the disk after each statement.
    const std::string script = "PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY;" + sql;
    const int r = sqlite3_exec(banco, script.c_str(), nullptr, nullptr, &erro);
    const std::string mensagem = erro ? erro : "";
    sqlite3_free(erro);
    sqlite3_close(banco);
    if (r != SQLITE_OK) {
        throw std::runtime_error(mensagem);
    }
}

} // namespace fendril::teste
