#include "schema/TiposSQLite.h"

#include <cctype>
#include <charconv>
#include <string>
#include <vector>

namespace fendril {

namespace {

// The text with runs of blanks as one space and none at the ends.
std::string Compacta(std::string_view texto) {
    std::string resultado;
    bool espaco = false;
    for (const char c : texto) {
        if (std::isspace(static_cast<unsigned char>(c)) != 0) {
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

std::string Maiusculas(std::string texto) {
    for (char& c : texto) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return texto;
}

// The numbers between the parentheses of a declared type, in order.
std::vector<std::int64_t> Argumentos(std::string_view declarado) {
    std::vector<std::int64_t> numeros;
    const std::size_t abre = declarado.find('(');
    if (abre == std::string_view::npos) {
        return numeros;
    }
    const std::size_t fecha = declarado.find(')', abre);
    std::string_view dentro = declarado.substr(
        abre + 1, fecha == std::string_view::npos ? std::string_view::npos : fecha - abre - 1);
    while (!dentro.empty()) {
        const std::size_t virgula = dentro.find(',');
        std::string_view parte = dentro.substr(0, virgula);
        while (!parte.empty() && std::isspace(static_cast<unsigned char>(parte.front())) != 0) {
            parte.remove_prefix(1);
        }
        std::int64_t numero = 0;
        const auto [ptr, erro] = std::from_chars(parte.data(), parte.data() + parte.size(), numero);
        if (erro == std::errc() && ptr != parte.data()) {
            numeros.push_back(numero);
        }
        if (virgula == std::string_view::npos) {
            break;
        }
        dentro.remove_prefix(virgula + 1);
    }
    return numeros;
}

bool Contem(const std::string& texto, const char* parte) {
    return texto.find(parte) != std::string::npos;
}

} // namespace

TTipoDeclarado InterpretaTipoSQLite(std::string_view declarado) {
    const std::string escrito = Compacta(declarado.substr(0, declarado.find('(')));
    const std::string nome = Maiusculas(escrito);
    const std::vector<std::int64_t> argumentos = Argumentos(declarado);
    const auto argumento = [&argumentos](std::size_t i) -> std::optional<std::int64_t> {
        if (i < argumentos.size()) {
            return argumentos[i];
        }
        return std::nullopt;
    };
    TTipoDeclarado tipo;
    tipo.nome = escrito;
    const auto inteiro = [&tipo](int codigo, std::int64_t precisao) {
        tipo.tipoOLE = codigo;
        tipo.precisao = precisao;
    };
    const auto texto = [&] {
        tipo.tipoOLE = dbtype::DBTYPE_STR;
        tipo.tamanho = argumento(0);
    };
    // A precision written without a scale has scale 0, as in SQL.
    const auto numerico = [&] {
        tipo.tipoOLE = dbtype::DBTYPE_NUMERIC;
        tipo.precisao = argumento(0);
        tipo.escala =
            argumento(0) ? std::optional<std::int64_t>(argumento(1).value_or(0)) : std::nullopt;
    };
    if (nome == "INT" || nome == "INTEGER" || nome == "MEDIUMINT" || nome == "INT4") {
        inteiro(dbtype::DBTYPE_I4, 10);
    } else if (nome == "BIGINT" || nome == "INT8" || nome == "UNSIGNED BIG INT") {
        inteiro(dbtype::DBTYPE_I8, 19);
    } else if (nome == "SMALLINT" || nome == "INT2") {
        inteiro(dbtype::DBTYPE_I2, 5);
    } else if (nome == "TINYINT") {
        inteiro(dbtype::DBTYPE_I1, 3);
    } else if (nome == "BOOLEAN" || nome == "BOOL" || nome == "BIT") {
        tipo.tipoOLE = dbtype::DBTYPE_BOOL;
    } else if (nome == "REAL" || nome == "FLOAT4") {
        inteiro(dbtype::DBTYPE_R4, 7);
    } else if (nome == "DOUBLE" || nome == "DOUBLE PRECISION" || nome == "FLOAT" ||
               nome == "FLOAT8") {
        inteiro(dbtype::DBTYPE_R8, 15);
    } else if (nome == "NUMERIC" || nome == "DECIMAL") {
        numerico();
    } else if (nome == "DATE") {
        tipo.tipoOLE = dbtype::DBTYPE_DBDATE;
        tipo.precisaoDataHora = 0;
    } else if (nome == "TIME") {
        tipo.tipoOLE = dbtype::DBTYPE_DBTIME;
        tipo.precisaoDataHora = argumento(0).value_or(0);
    } else if (nome == "TIMESTAMP" || nome == "DATETIME") {
        tipo.tipoOLE = dbtype::DBTYPE_DBTIMESTAMP;
        tipo.precisaoDataHora = argumento(0).value_or(0);
    } else if (nome == "TEXT" || nome == "CLOB") {
        texto();
    } else if (Contem(nome, "INT")) {
        inteiro(dbtype::DBTYPE_I8, 19);
    } else if (Contem(nome, "CHAR") || Contem(nome, "CLOB") || Contem(nome, "TEXT")) {
        texto();
    } else if (nome.empty()) {
        tipo.tipoOLE = dbtype::DBTYPE_BYTES;
        tipo.tamanho = 0;
    } else if (Contem(nome, "BLOB")) {
        tipo.tipoOLE = dbtype::DBTYPE_BYTES;
        tipo.tamanho = argumento(0);
    } else if (Contem(nome, "REAL") || Contem(nome, "FLOA") || Contem(nome, "DOUB")) {
        inteiro(dbtype::DBTYPE_R8, 15);
    } else {
        numerico();
    }
    return tipo;
}

TDadosRowset TiposProviderSQLite() {
    struct Tipo {
        const char* nome;
        int codigo;
        std::int64_t tamanho;
        const char* parametros;
    };
    static const Tipo tipos[] = {
        {"INTEGER", dbtype::DBTYPE_I4, 10, nullptr},
        {"BIGINT", dbtype::DBTYPE_I8, 19, nullptr},
        {"SMALLINT", dbtype::DBTYPE_I2, 5, nullptr},
        {"TINYINT", dbtype::DBTYPE_I1, 3, nullptr},
        {"BOOLEAN", dbtype::DBTYPE_BOOL, 1, nullptr},
        {"REAL", dbtype::DBTYPE_R4, 7, nullptr},
        {"DOUBLE", dbtype::DBTYPE_R8, 15, nullptr},
        {"FLOAT", dbtype::DBTYPE_R8, 15, nullptr},
        {"NUMERIC", dbtype::DBTYPE_NUMERIC, 38, "precision,scale"},
        {"DECIMAL", dbtype::DBTYPE_NUMERIC, 38, "precision,scale"},
        {"VARCHAR", dbtype::DBTYPE_STR, 2147483647, "max length"},
        {"CHAR", dbtype::DBTYPE_STR, 2147483647, "length"},
        {"TEXT", dbtype::DBTYPE_STR, 2147483647, nullptr},
        {"BLOB", dbtype::DBTYPE_BYTES, 2147483647, nullptr},
        {"DATE", dbtype::DBTYPE_DBDATE, 10, nullptr},
        {"TIME", dbtype::DBTYPE_DBTIME, 8, nullptr},
        {"TIMESTAMP", dbtype::DBTYPE_DBTIMESTAMP, 26, nullptr},
        {"DATETIME", dbtype::DBTYPE_DBTIMESTAMP, 26, nullptr},
    };
    namespace c = rowset::provider_types;
    TDadosRowset dados;
    std::vector<int> vistos;
    for (const Tipo& tipo : tipos) {
        TLinhaValores linha(c::kCampos);
        linha[c::TYPE_NAME] = TValor::De(tipo.nome);
        linha[c::DATA_TYPE] = TValor::De(std::int64_t{tipo.codigo});
        linha[c::COLUMN_SIZE] = TValor::De(tipo.tamanho);
        if (tipo.parametros != nullptr) {
            linha[c::CREATE_PARAMS] = TValor::De(tipo.parametros);
        }
        linha[c::IS_NULLABLE] = TValor::DeBooleano(true);
        bool primeiro = true;
        for (const int codigo : vistos) {
            primeiro = primeiro && codigo != tipo.codigo;
        }
        if (primeiro) {
            vistos.push_back(tipo.codigo);
        }
        linha[c::BEST_MATCH] = TValor::DeBooleano(primeiro);
        dados.linhas.push_back(std::move(linha));
    }
    return dados;
}

void PreencheTipoColuna(TLinhaValores& linha, const TTipoDeclarado& tipo) {
    const auto valor = [](const std::optional<std::int64_t>& numero) {
        return numero ? TValor::De(*numero) : TValor::Nulo();
    };
    namespace c = rowset::columns;
    linha[c::DATA_TYPE] = TValor::De(std::int64_t{tipo.tipoOLE});
    linha[c::CHARACTER_MAXIMUM_LENGTH] = valor(tipo.tamanho);
    linha[c::NUMERIC_PRECISION] = valor(tipo.precisao);
    linha[c::NUMERIC_SCALE] = valor(tipo.escala);
    linha[c::DATETIME_PRECISION] = valor(tipo.precisaoDataHora);
    linha[c::FENDRIL_TYPE_NAME] = tipo.nome.empty() ? TValor::Nulo() : TValor::De(tipo.nome);
}

} // namespace fendril
