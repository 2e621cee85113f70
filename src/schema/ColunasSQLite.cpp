#include "schema/ColunasSQLite.h"

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
    return LinhaColunaSQLite(tabela, colunas, coluna, InterpretaTipoSQLite(coluna.tipo));
}

TLinhaValores LinhaColunaSQLite(const std::string& tabela,
                                const std::vector<TColunaSQLite>& colunas,
                                const TColunaSQLite& coluna, const TTipoDeclarado& tipo) {
    namespace c = rowset::columns;
    TLinhaValores linha = LinhaAte(c::FENDRIL_IS_AUTOINCREMENT);
    linha[c::TABLE_CATALOG] = TValor::De("main");
    linha[c::TABLE_NAME] = TValor::De(tabela);
    linha[c::COLUMN_NAME] = coluna.nome;
    linha[c::ORDINAL_POSITION] = TValor::De(coluna.cid + 1);
    linha[c::COLUMN_HASDEFAULT] = TValor::DeBooleano(!coluna.padrao.nulo);
    linha[c::COLUMN_DEFAULT] = coluna.padrao;
    linha[c::IS_NULLABLE] = TValor::DeBooleano(!coluna.naoNulo);
    PreencheTipoColuna(linha, tipo);
    linha[c::FENDRIL_IS_UNIQUE] = TValor::DeBooleano(coluna.unica);
    linha[c::FENDRIL_IS_AUTOINCREMENT] = TValor::DeBooleano(AutoIncrementoSQLite(colunas, coluna));
    return linha;
}

} // namespace fendril
