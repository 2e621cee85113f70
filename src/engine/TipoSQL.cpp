#include "engine/TipoSQL.h"

#include "model/AvisosCompilador.h"
#include "model/NameForms.h"
#include "model/TiposOLE.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace fendril {

namespace {

// Type names (lower case) that take a length, precision and scale, or a fractional-second
// precision. Names of several words match as written by PostgreSQL and the SQL standard.
constexpr std::string_view kComTamanho[] = {"char",
                                            "character",
                                            "varchar",
                                            "character varying",
                                            "nchar",
                                            "nvarchar",
                                            "varchar2",
                                            "nvarchar2",
                                            "bpchar",
                                            "national character",
                                            "national char",
                                            "national character varying",
                                            "national char varying",
                                            "nchar varying",
                                            "char varying",
                                            "binary",
                                            "varbinary",
                                            "bit",
                                            "bit varying",
                                            "varbit",
                                            "raw"};
constexpr std::string_view kComPrecisaoEscala[] = {"numeric", "decimal", "dec", "number"};
constexpr std::string_view kComPrecisaoDataHora[] = {"time",
                                                     "timestamp",
                                                     "timetz",
                                                     "timestamptz",
                                                     "time with time zone",
                                                     "time without time zone",
                                                     "timestamp with time zone",
                                                     "timestamp without time zone",
                                                     "datetime2",
                                                     "datetimeoffset"};

// The fractional-second precision a time or timestamp type has when its declaration gives
// none: 6 for PostgreSQL's and the standard's timestamps (and PostgreSQL's times), 7 for SQL
// Server's datetime2 and datetimeoffset. Drivers report it for an undeclared precision.
int PrecisaoPadrao(std::string_view chave) {
    return chave == "datetime2" || chave == "datetimeoffset" ? 7 : 6;
}

template <std::size_t N> bool Entre(const std::string_view (&nomes)[N], std::string_view nome) {
    return std::find(std::begin(nomes), std::end(nomes), nome) != std::end(nomes);
}

// The name in lower case with runs of blanks as one space and no blanks at the ends.
std::string Normaliza(std::string_view nome) {
    std::string resultado;
    bool espaco = false;
    for (const char c : ToLowerCase(nome)) {
        if (c == ' ' || c == '\t') {
            espaco = !resultado.empty();
            continue;
        }
        if (espaco) {
            resultado += ' ';
            espaco = false;
        }
        resultado += c;
    }
    return resultado;
}

} // namespace

std::string TipoSQL(const TTipoDado& tipo) {
    const std::string& nome = tipo.nome;
    if (nome.find('(') != std::string::npos) {
        return nome;
    }
    const std::string chave = Normaliza(nome);
    if (Entre(kComTamanho, chave)) {
        return tipo.tamanho > 0 ? nome + "(" + std::to_string(tipo.tamanho) + ")" : nome;
    }
    if (Entre(kComPrecisaoEscala, chave)) {
        if (tipo.precisao <= 0) {
            return nome;
        }
        std::string declarado = nome + "(" + std::to_string(tipo.precisao);
        if (tipo.escala > 0) {
            FENDRIL_GCC12_SEM_WRESTRICT_INICIO
            declarado += "," + std::to_string(tipo.escala);
            FENDRIL_GCC12_SEM_WRESTRICT_FIM
        }
        return declarado + ")";
    }
    if (Entre(kComPrecisaoDataHora, chave) && tipo.precisaoDataHora > 0 &&
        tipo.precisaoDataHora != PrecisaoPadrao(chave)) {
        // The precision follows the first word: "timestamp(3) with time zone".
        const std::size_t fimPalavra = nome.find_first_of(" \t");
        FENDRIL_GCC12_SEM_WRESTRICT_INICIO
        const std::string sufixo = "(" + std::to_string(tipo.precisaoDataHora) + ")";
        FENDRIL_GCC12_SEM_WRESTRICT_FIM
        if (fimPalavra == std::string::npos) {
            return nome + sufixo;
        }
        return nome.substr(0, fimPalavra) + sufixo + nome.substr(fimPalavra);
    }
    return nome;
}

std::string_view FamiliaDoTipo(int tipoOLE) {
    using namespace dbtype;
    switch (tipoOLE) {
    case DBTYPE_I1:
    case DBTYPE_I2:
    case DBTYPE_I4:
    case DBTYPE_I8:
    case DBTYPE_UI1:
    case DBTYPE_UI2:
    case DBTYPE_UI4:
    case DBTYPE_UI8:
        return "integer";
    case DBTYPE_CY:
    case DBTYPE_DECIMAL:
    case DBTYPE_NUMERIC:
        return "decimal";
    case DBTYPE_R4:
    case DBTYPE_R8:
        return "float";
    case DBTYPE_BOOL:
        return "boolean";
    case DBTYPE_BSTR:
    case DBTYPE_STR:
    case DBTYPE_WSTR:
        return "string";
    case DBTYPE_DBDATE:
        return "date";
    case DBTYPE_DBTIME:
        return "time";
    case DBTYPE_DATE:
    case DBTYPE_DBTIMESTAMP:
        return "datetime";
    case DBTYPE_BYTES:
        return "binary";
    case DBTYPE_GUID:
        return "guid";
    default:
        return {};
    }
}

} // namespace fendril
