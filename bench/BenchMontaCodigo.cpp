// Template expansion over large mappings: one general template expanded once for all
// tables, and the same text expanded table by table as a one-file-per-table generation does;
// then a template that uses filters, conditions and inverse relations.
#include "engine/TMontaCodigo.h"
#include "model/TControlaColunas.h"

#include <benchmark/benchmark.h>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace fendril;
using namespace std::string_literals;

constexpr int kColunasPorTabela = 15;

const TListaTextos kTipos = {"int;Integer;0;", "varchar;String;'';", "numeric;Double;0.0;",
                             "datetime;TDateTime;Now;", "bit;Boolean;false;"};

const TListaTextos kModelo = {
    "// Data layer of <dbname>: <tbcount> tables",
    "<rctable>",
    "class <tbalias> : public <parentclass> {",
    "public:",
    "    static constexpr int kIndex = <tbindex>;",
    "    static constexpr const char* kTable = \"<tbname>\"; // <colcount> columns",
    "<prkcol>",
    "    <colvartype> <colname> = <colinivar>; // key <colindex>",
    "</prkcol>",
    "<simplecol>",
    "    <colvartype> m_<colname> = <colinivar>; // <colprvtype>(<collength>,<colscale>) "
    "<colalias>",
    "</simplecol>",
    "<frkcol>",
    "    <frktbname>* get_<colname>() const; // -> <frktbname>.<frkcolname>",
    "</frkcol>",
    "};",
    "</rctable>",
};

// The same class with filtered names, nullable members, declared types and the tables that
// refer to each one.
const TListaTextos kModeloFiltros = {
    "<rctable>",
    "struct <tbshortname:pascal:singular> { // <tbname:sql>",
    "<prkcol>    <colvartype> <colname:camel>; // <colsqltype><ifnot:last>,</ifnot:last>",
    "</prkcol><simplecol><if:nullable>    std::optional<<colvartype>> <colname:camel:ident>;",
    "</if:nullable><ifnot:nullable>    <colvartype> <colname:camel:ident>; // <colsqltype>",
    "</ifnot:nullable></simplecol><refcol>    std::vector<<reftbshortname:pascal>*> "
    "<reftbshortname:camel:plural>;",
    "</refcol>};",
    "</rctable>",
};

// A prefix followed by a number ("Table12").
std::string Numerado(std::string_view prefixo, int numero) {
    std::string nome(prefixo);
    nome.append(std::to_string(numero));
    return nome;
}

std::string NomeTabela(int i) {
    return Numerado("Table", i);
}

// Column j of table i of n: one primary key, two foreign keys, a date column and simple
// columns of a few types. Texts are assigned as std::string values: assigning character
// literals here makes GCC 12 at -O3 report a false -Wrestrict.
void DefineColuna(TColuna& coluna, int i, int j, int n) {
    TTabela& tabela = coluna.getTabela();
    tabela.esquema = "dbo"s;
    tabela.nome = NomeTabela(i);
    tabela.tipo = "TABLE"s;
    tabela.alias = Numerado("CTable", i);
    tabela.getBaseDados().nome = "Shop"s;
    TTipoDado& tipo = coluna.getTipoDado();
    tipo.tamanho = -1;
    tipo.precisao = 10;
    tipo.escala = 0;
    tipo.tipoOLE = 3;
    tipo.precisaoDataHora = -1;
    tipo.melhorCorrespondencia = "1"s;
    tipo.nome = "int"s;
    coluna.facts.nullable = j % 2 == 0;
    if (j == 0) {
        coluna.nome = "id"s;
        coluna.setChavePrimaria(1);
    } else if (j <= 2) {
        coluna.nome = Numerado("ref", j).append("_id");
        coluna.chaveEstrangeira = true;
        coluna.CriaColunaEstrangeira();
        TColuna& referenciada = *coluna.getColunaEstrangeira();
        referenciada.nome = "id"s;
        referenciada.getTabela().esquema = "dbo"s;
        referenciada.getTabela().nome = NomeTabela((i + j) % n);
    } else if (j == 3) {
        coluna.nome = "created"s;
        tipo.nome = "datetime"s;
        tipo.precisao = -1;
        tipo.escala = -1;
        tipo.precisaoDataHora = 3;
    } else {
        coluna.nome = Numerado("field", j);
        if (j % 3 == 0) {
            tipo.nome = "varchar"s;
            tipo.tamanho = 50;
            tipo.precisao = -1;
            tipo.escala = -1;
        } else if (j % 3 == 1) {
            tipo.nome = "numeric"s;
            tipo.escala = 2;
        }
        coluna.alias = Numerado("Field", j);
    }
}

// The whole mapping of n tables, built once per size.
const TControlaColunas& Conjunto(int n) {
    static std::map<int, std::unique_ptr<TControlaColunas>> conjuntos;
    auto& conjunto = conjuntos[n];
    if (!conjunto) {
        conjunto =
            std::make_unique<TControlaColunas>(static_cast<std::size_t>(n) * kColunasPorTabela);
        TArrColunas& colunas = conjunto->getColunas();
        for (int i = 0; i < n; ++i) {
            for (int j = 0; j < kColunasPorTabela; ++j) {
                DefineColuna(*colunas[static_cast<std::size_t>(i * kColunasPorTabela + j)], i, j,
                             n);
            }
        }
    }
    return *conjunto;
}

// One set per table holding only that table's columns, as a table-class generation has.
const std::vector<std::unique_ptr<TControlaColunas>>& ConjuntosPorTabela(int n) {
    static std::map<int, std::vector<std::unique_ptr<TControlaColunas>>> porTamanho;
    auto& conjuntos = porTamanho[n];
    if (conjuntos.empty()) {
        const TControlaColunas& todos = Conjunto(n);
        for (const std::string& tabela : todos.getNomesTabelas()) {
            TListaTextos linhas;
            for (const std::string& coluna : todos.getNomesColunas(tabela)) {
                linhas.push_back(todos.getColuna(tabela, coluna)->Codifica());
            }
            auto conjunto = std::make_unique<TControlaColunas>(linhas.size());
            conjunto->CarregaLinhas(linhas);
            conjuntos.push_back(std::move(conjunto));
        }
    }
    return conjuntos;
}

std::size_t Expande(const TControlaColunas& conjunto, const TListaTextos& modelo = kModelo) {
    TMontaCodigo motor;
    motor.AdicionaTipos(kTipos);
    motor.setControlaColunas(&conjunto);
    motor.nomeBaseDados = "Shop";
    motor.classePai = "TEntity";
    motor.AdicionaModelo(modelo);
    motor.Monta();
    return motor.getCodigo().size();
}

// (a) The general template expanded once for every table of the mapping.
void BM_TodasAsTabelas(benchmark::State& state) {
    const TControlaColunas& conjunto = Conjunto(static_cast<int>(state.range(0)));
    conjunto.getNomesTabelas(); // the set's index is built outside the timing
    std::size_t linhas = 0;
    for (auto _ : state) {
        linhas = Expande(conjunto);
        benchmark::DoNotOptimize(linhas);
    }
    state.counters["lines"] = static_cast<double>(linhas);
    state.counters["tables/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_TodasAsTabelas)->Arg(500)->Arg(2000)->Arg(8000)->Unit(benchmark::kMillisecond);

// (b) The same text expanded table by table: a fresh engine and a one-table set each.
void BM_TabelaPorTabela(benchmark::State& state) {
    const auto& conjuntos = ConjuntosPorTabela(static_cast<int>(state.range(0)));
    for (const auto& conjunto : conjuntos) {
        conjunto->getNomesTabelas();
    }
    std::size_t linhas = 0;
    for (auto _ : state) {
        linhas = 0;
        for (const auto& conjunto : conjuntos) {
            linhas += Expande(*conjunto);
        }
        benchmark::DoNotOptimize(linhas);
    }
    state.counters["lines"] = static_cast<double>(linhas);
    state.counters["tables/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_TabelaPorTabela)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

// (c) The template with filters, conditions and inverse relations, once for all tables.
void BM_FiltrosECondicoes(benchmark::State& state) {
    const TControlaColunas& conjunto = Conjunto(static_cast<int>(state.range(0)));
    conjunto.getNomesTabelas();
    std::size_t linhas = 0;
    for (auto _ : state) {
        linhas = Expande(conjunto, kModeloFiltros);
        benchmark::DoNotOptimize(linhas);
    }
    state.counters["lines"] = static_cast<double>(linhas);
    state.counters["tables/s"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                    benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_FiltrosECondicoes)->Arg(500)->Arg(2000)->Unit(benchmark::kMillisecond);

} // namespace
