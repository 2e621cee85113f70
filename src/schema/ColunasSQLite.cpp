#include "schema/ColunasSQLite.h"

#include "model/AvisosCompilador.h"
#include "model/Textos.h"
#include "schema/TiposSQLite.h"

namespace fendril {

const char* const kConsultaColunasSQLite =
    "SELECT p.cid, p.name, p.type, p.\"notnull\", p.dflt_value, p.pk, "
    "p.name IN (SELECT i.name FROM pragma_index_list(?1) l, pragma_index_info(l.name) i "
    "WHERE l.\"unique\" AND NOT l.partial "
    "AND (SELECT count(*) FROM pragma_index_info(l.name)) = 1), "
    "NOT EXISTS (SELECT 1 FROM pragma_index_list(?1) WHERE origin = 'pk') "
    "FROM pragma_table_info(?1) p";

namespace {

std::int64_t Numero(const TValor& valor) {
    if (valor.nulo) {
        return 0;
    }
    try {
        return std::stoll(valor.texto);
    } catch (const std::exception&) {
        return 0;
    }
}

} // namespace

TColunaSQLite ColunaSQLite(const std::vector<TValor>& linha) {
    enum : std::size_t { CID, NAME, TYPE, NOTNULL, DFLT_VALUE, PK, UNICA, SEM_INDICE_CHAVE };
    const auto valor = [&linha](std::size_t i) { return i < linha.size() ? linha[i] : TValor(); };
    TColunaSQLite coluna;
    coluna.cid = Numero(valor(CID));
    coluna.nome = valor(NAME);
    coluna.tipo = valor(TYPE).texto;
    coluna.naoNulo = Numero(valor(NOTNULL)) != 0;
    coluna.padrao = valor(DFLT_VALUE);
    coluna.chave = Numero(valor(PK));
    coluna.unica = Numero(valor(UNICA)) != 0;
    coluna.semIndiceChave = Numero(valor(SEM_INDICE_CHAVE)) != 0;
    return coluna;
}

bool AutoIncrementoSQLite(const std::vector<TColunaSQLite>& colunas, const TColunaSQLite& coluna) {
    if (coluna.chave == 0 || !coluna.semIndiceChave ||
        !MesmoTextoSemCaixa(coluna.tipo, "INTEGER")) {
        return false;
    }
    std::size_t chaves = 0;
    for (const TColunaSQLite& outra : colunas) {
        chaves += outra.chave > 0 ? 1 : 0;
    }
    return chaves == 1;
}

TLinhaValores LinhaColunaSQLite(const std::string& tabela,
                                const std::vector<TColunaSQLite>& colunas,
                                const TColunaSQLite& coluna) {
    TLinhaValores linha;
    PreencheLinhaColunaSQLite(linha, tabela, colunas, coluna, InterpretaTipoSQLite(coluna.tipo));
    return linha;
}

void PreencheLinhaColunaSQLite(TLinhaValores& linha, const std::string& tabela,
                               const std::vector<TColunaSQLite>& colunas,
                               const TColunaSQLite& coluna, const TTipoDeclarado& tipo) {
    namespace c = rowset::columns;
    // Every field Null, as LinhaAte gives them; a text's room is kept for the next value.
    linha.resize(static_cast<std::size_t>(c::FENDRIL_IS_AUTOINCREMENT) + 1);
    for (TValor& valor : linha) {
        valor.nulo = true;
        valor.texto.clear();
    }
    const auto poe = [&linha](int campo, std::string_view texto) {
        TValor& valor = linha[static_cast<std::size_t>(campo)];
        valor.nulo = false;
        FENDRIL_GCC12_SEM_WRESTRICT_INICIO
        valor.texto.assign(texto);
        FENDRIL_GCC12_SEM_WRESTRICT_FIM
    };
    poe(c::TABLE_CATALOG, "main");
    poe(c::TABLE_NAME, tabela);
    linha[c::COLUMN_NAME] = coluna.nome;
    linha[c::ORDINAL_POSITION] = TValor::De(coluna.cid + 1);
    poe(c::COLUMN_HASDEFAULT, coluna.padrao.nulo ? "0" : "1");
    linha[c::COLUMN_DEFAULT] = coluna.padrao;
    poe(c::IS_NULLABLE, coluna.naoNulo ? "0" : "1");
    PreencheTipoColuna(linha, tipo);
    poe(c::FENDRIL_IS_UNIQUE, coluna.unica ? "1" : "0");
    poe(c::FENDRIL_IS_AUTOINCREMENT, AutoIncrementoSQLite(colunas, coluna) ? "1" : "0");
}

} // namespace fendril
