// A mapping refreshed from a real SQLite file altered after the mapping was made: the
// change list, the edits that survive it, the hand-set values it keeps.
#include "model/EdicaoPropriedades.h"
#include "model/Erros.h"
#include "schema/RefreshReading.h"
#include "support/ArquivosTemporarios.h"
#include "support/BancoSQLite.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

using namespace teste;

const char* const kAntes = R"(
CREATE TABLE customers (id INTEGER PRIMARY KEY, name TEXT NOT NULL, email VARCHAR(80));
CREATE TABLE orders (id INTEGER PRIMARY KEY, customer_id INTEGER REFERENCES customers(id),
                     placed DATE, legacy TEXT, status TEXT DEFAULT 'new');
CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT);
CREATE TABLE codes (code TEXT NOT NULL, label TEXT);
)";

// Columns added, dropped and retyped; a foreign key dropped and one added with a table; a
// primary key changed; a table dropped; a default changed under a hand-set one.
const char* const kAlteracoes = R"(
ALTER TABLE customers ADD COLUMN phone VARCHAR(20);
ALTER TABLE customers DROP COLUMN email;
CREATE TABLE orders2 (id INTEGER PRIMARY KEY, customer_id INTEGER, placed DATETIME,
                      memo TEXT, status TEXT DEFAULT 'open');
DROP TABLE orders;
ALTER TABLE orders2 RENAME TO orders;
CREATE TABLE codes2 (code TEXT NOT NULL PRIMARY KEY, label TEXT);
DROP TABLE codes;
ALTER TABLE codes2 RENAME TO codes;
DROP TABLE notes;
CREATE TABLE invoices (id INTEGER PRIMARY KEY, order_id INTEGER REFERENCES orders(id));
)";

class Refresh : public testing::Test {
protected:
    void SetUp() override {
        CriaBanco(m_banco, kAntes);
        CarregaControlaColunas(m_conexao, {"customers", "orders", "notes", "codes"}, m_mapa);
    }

    // A property edited in the panels, as the mapping window commits it.
    void Edita(const std::string& tabela, const std::string& coluna,
               const std::function<void(TPropriedadesTabela&, TPropriedadesColuna&)>& muda) {
        const TControlaColunas& conjunto = *m_mapa.controlaColunas;
        const TColuna* registro = conjunto.getColuna(tabela, coluna);
        ASSERT_NE(registro, nullptr);
        TPropriedadesTabela painelTabela = PropriedadesTabela(registro->getTabela());
        TPropriedadesColuna painelColuna = PropriedadesColuna(*registro);
        muda(painelTabela, painelColuna);
        GravaPropriedades(*m_mapa.controlaColunas, tabela, coluna, painelTabela, painelColuna,
                          m_mapa.tiposProvider);
    }

    std::vector<std::string> Linhas(const TRefreshChanges& mudancas) {
        std::vector<std::string> linhas;
        for (const TRefreshChange& mudanca : mudancas) {
            linhas.push_back(mudanca.FullText());
        }
        return linhas;
    }

    PastaTemporaria m_pasta;
    std::string m_banco = m_pasta.arquivo("shop.db");
    TParametrosConexao m_conexao{"Provider=SQLite;Data Source=" + m_banco, "", "", "main"};
    TCargaColunas m_mapa;
};

TEST_F(Refresh, AnUnchangedDatabaseGivesNoChanges) {
    const TRefreshReading leitura = ReadForRefresh(m_conexao, m_mapa.controlaColunas.get(), {});
    EXPECT_TRUE(leitura.changes.empty()) << ChangesText(leitura.changes);
    EXPECT_EQ(leitura.databaseTables, (TListaTextos{"codes", "customers", "notes", "orders"}));
}

TEST_F(Refresh, TheChangeListIsExactAndEditsSurvive) {
    Edita("customers", "name", [](TPropriedadesTabela& tabela, TPropriedadesColuna& coluna) {
        tabela.alias = "Customer";
        coluna.alias = "FullName";
    });
    Edita("orders", "placed",
          [](TPropriedadesTabela&, TPropriedadesColuna& coluna) { coluna.habilitado = false; });
    Edita("orders", "legacy",
          [](TPropriedadesTabela&, TPropriedadesColuna& coluna) { coluna.alias = "Legacy"; });
    Edita("orders", "status", [](TPropriedadesTabela&, TPropriedadesColuna& coluna) {
        coluna.defaultValue = "'mine'";
    });
    Edita("codes", "label",
          [](TPropriedadesTabela&, TPropriedadesColuna& coluna) { coluna.nullable = false; });
    CriaBanco(m_banco, kAlteracoes);

    const TRefreshReading leitura = ReadForRefresh(m_conexao, m_mapa.controlaColunas.get(), {});
    EXPECT_EQ(Linhas(leitura.changes),
              (std::vector<std::string>{
                  "Table \"customers\": Column \"phone\": Added (VARCHAR)",
                  "Table \"customers\": Column \"email\": Dropped",
                  "Table \"orders\": Column \"customer_id\": Foreign Key customers.id -> None",
                  "Table \"orders\": Column \"placed\": Type DATE -> DATETIME",
                  "Table \"orders\": Column \"memo\": Added (TEXT)",
                  "Table \"orders\": Column \"status\": Default Set By Hand Kept (\"'mine'\"); The "
                  "Database Changed It From \"'new'\" To \"'open'\"",
                  "Table \"orders\": Column \"legacy\": Dropped (Alias \"Legacy\")",
                  "Table \"orders\": Column \"legacy\": Likely Renamed To \"memo\" (Same Type And "
                  "Position); Not Applied As A Rename",
                  "Table \"notes\": Dropped",
                  "Table \"codes\": Column \"code\": Primary Key No -> Yes",
                  "Table \"codes\": Column \"code\": Unique No -> Yes",
                  "Table \"invoices\": Added (2 Columns)",
              }));

    ApplyRefreshReading(m_mapa, leitura);
    const TControlaColunas& depois = *m_mapa.controlaColunas;
    EXPECT_EQ(MappedTables(depois), (TListaTextos{"customers", "orders", "codes", "invoices"}));
    EXPECT_EQ(depois.getNomesColunas("orders"),
              (TListaTextos{"id", "customer_id", "placed", "memo", "status"}));
    EXPECT_EQ(depois.getTabela("customers")->alias, "Customer");
    EXPECT_EQ(depois.getColuna("customers", "name")->alias, "FullName");
    EXPECT_FALSE(depois.getColuna("orders", "placed")->habilitado);
    EXPECT_EQ(depois.getColuna("orders", "placed")->getTipoDado().nome, "DATETIME");
    // The hand-set default is kept, and its database value taken note of.
    const TColuna& status = *depois.getColuna("orders", "status");
    EXPECT_EQ(status.facts.defaultValue, "'mine'");
    EXPECT_EQ(status.handSet.at(TColumnProperty::defaultValue), "'open'");
    // A hand-set fact the database did not change stays as it is, unreported.
    EXPECT_FALSE(depois.getColuna("codes", "label")->facts.nullable);
    EXPECT_TRUE(depois.getColuna("invoices", "order_id")->chaveEstrangeira);
    // The provider types hold the types taken in.
    EXPECT_EQ(TipoOLE(m_mapa.tiposProvider, "DATETIME") != -1, true);

    // A second refresh finds nothing left to do.
    EXPECT_TRUE(ReadForRefresh(m_conexao, m_mapa.controlaColunas.get(), {}).changes.empty());
}

// New tables are looked for in the schemas the mapping maps; a list of tables names the
// tables to compare and to add.
TEST_F(Refresh, TablesGivenByName) {
    CriaBanco(m_banco, "CREATE TABLE invoices (id INTEGER PRIMARY KEY);"
                       "ALTER TABLE notes ADD COLUMN title TEXT;"
                       "ALTER TABLE codes ADD COLUMN rank INTEGER;");
    const TRefreshReading leitura =
        ReadForRefresh(m_conexao, m_mapa.controlaColunas.get(), TListaTextos{"notes", "invoices"});
    EXPECT_EQ(Linhas(leitura.changes),
              (std::vector<std::string>{"Table \"notes\": Column \"title\": Added (TEXT)",
                                        "Table \"invoices\": Added (1 Column)"}));
    try {
        ReadForRefresh(m_conexao, m_mapa.controlaColunas.get(), TListaTextos{"nowhere"});
        FAIL() << "a table that does not exist was accepted";
    } catch (const EErroGeral& erro) {
        EXPECT_STREQ(erro.what(), "Table \"nowhere\" Does Not Exist !!");
    }
}

// Only the chosen changes are applied: the others stay to be found next time.
TEST_F(Refresh, OnlyChosenChangesAreApplied) {
    CriaBanco(m_banco, "ALTER TABLE customers ADD COLUMN phone TEXT; DROP TABLE notes;");
    const TRefreshReading leitura = ReadForRefresh(m_conexao, m_mapa.controlaColunas.get(), {});
    ASSERT_EQ(Linhas(leitura.changes),
              (std::vector<std::string>{"Table \"customers\": Column \"phone\": Added (TEXT)",
                                        "Table \"notes\": Dropped"}));
    ApplyRefreshReading(m_mapa, leitura, {false, true});
    EXPECT_EQ(Linhas(ReadForRefresh(m_conexao, m_mapa.controlaColunas.get(), {}).changes),
              (std::vector<std::string>{"Table \"customers\": Column \"phone\": Added (TEXT)"}));
}

} // namespace
} // namespace fendril
