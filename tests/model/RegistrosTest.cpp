#include "model/Erros.h"
#include "model/OrdinaisRowset.h"
#include "model/TColuna.h"
#include "model/TLinhaEsquema.h"

#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <optional>

namespace fendril {
namespace {

const char* const ColunaNova =
    "TColuna||=>0=>1=>=>0=>|>TTipoDado||=>0=>0=>0=>0=>0=>=>|>TTabela||=>=>=>=>|>TBaseDados||=>|>|>";

const char* const ColunaId = "TColuna||ID=>1=>1=>Id=>0=>|>TTipoDado||int=>-1=>10=>0=>3=>-1=>1=>|>"
                             "TTabela||Customers=>dbo=>TABLE=>Cliente=>|>TBaseDados||Shop=>|>|>";

TColuna CriaColunaId() {
    TColuna coluna;
    coluna.nome = "ID";
    coluna.setChavePrimaria(1);
    coluna.alias = "Id";
    TTipoDado& tipo = coluna.getTipoDado();
    tipo.nome = "int";
    tipo.tamanho = -1;
    tipo.precisao = 10;
    tipo.escala = 0;
    tipo.tipoOLE = 3;
    tipo.precisaoDataHora = -1;
    tipo.melhorCorrespondencia = "1";
    TTabela& tabela = coluna.getTabela();
    tabela.nome = "Customers";
    tabela.esquema = "dbo";
    tabela.tipo = "TABLE";
    tabela.alias = "Cliente";
    tabela.getBaseDados().nome = "Shop";
    return coluna;
}

TEST(TColuna, NewColumnEncodesAsAllDefaultsAndCountsAsDateColumn) {
    const TColuna coluna;
    EXPECT_EQ(coluna.Codifica(), ColunaNova);
    EXPECT_TRUE(coluna.getTipoDado().EhData());
    EXPECT_EQ(coluna.getColunaEstrangeira(), nullptr);
}

TEST(TColuna, EncodesTheDocumentedExampleAndDecodesItBack) {
    EXPECT_EQ(CriaColunaId().Codifica(), ColunaId);
    TColuna copia;
    copia.Decodifica(ColunaId);
    EXPECT_EQ(copia.Codifica(), ColunaId);
    EXPECT_EQ(copia.getTabela().getNomeCompleto(), "dbo.Customers");
    EXPECT_EQ(copia.getTipoDado().getTamanho(), 10);
}

TEST(TColuna, DecodingIgnoresTheTypeName) {
    std::string outro = ColunaId;
    outro.replace(0, 9, "XXXXXXXXX");
    TColuna coluna;
    coluna.Decodifica(outro);
    EXPECT_EQ(coluna.Codifica(), ColunaId);
}

TEST(TColuna, ReferencedColumnIsEncodedOnlyForForeignKeys) {
    TColuna coluna = CriaColunaId();
    coluna.CriaColunaEstrangeira();
    coluna.getColunaEstrangeira()->nome = "Ref";
    EXPECT_EQ(coluna.Codifica(), ColunaId);

    TColuna nova;
    nova.Decodifica(coluna.Codifica());
    EXPECT_EQ(nova.getColunaEstrangeira(), nullptr);
}

TEST(TColuna, DecodingWithoutReferenceKeepsAnExistingOne) {
    TColuna coluna;
    coluna.CriaColunaEstrangeira();
    coluna.getColunaEstrangeira()->nome = "Kept";
    coluna.Decodifica(ColunaId);
    ASSERT_NE(coluna.getColunaEstrangeira(), nullptr);
    EXPECT_EQ(coluna.getColunaEstrangeira()->nome, "Kept");
}

TEST(TColuna, TwoLevelsOfForeignKeysSurviveTheRoundTrip) {
    TColuna alvo;
    alvo.nome = "CountryId";
    alvo.getTabela().nome = "Countries";

    TColuna meio;
    meio.nome = "CustomerId";
    meio.getTabela().nome = "Customers";
    meio.getTabela().esquema = "dbo";
    meio.chaveEstrangeira = true;
    meio.CopiaColunaEstrangeira(alvo);

    TColuna coluna;
    coluna.nome = "Customer";
    coluna.getTabela().nome = "Orders";
    coluna.chaveEstrangeira = true;
    coluna.CopiaColunaEstrangeira(meio);

    const std::string texto = coluna.Codifica();
    TColuna copia;
    copia.Decodifica(texto);
    EXPECT_EQ(copia.Codifica(), texto);
    ASSERT_NE(copia.getColunaEstrangeira(), nullptr);
    EXPECT_EQ(copia.getColunaEstrangeira()->getTabela().getNomeCompleto(), "dbo.Customers");
    ASSERT_NE(copia.getColunaEstrangeira()->getColunaEstrangeira(), nullptr);
    EXPECT_EQ(copia.getColunaEstrangeira()->getColunaEstrangeira()->nome, "CountryId");
}

// Copying a referenced column gives what the encoding carries: into a new referenced
// column nothing else, into an existing one the rest of that column stays.
TEST(TColuna, CopiedReferencedColumnTakesWhatTheEncodingCarries) {
    TColuna alvo = CriaColunaId();
    alvo.facts.comment = "not encoded";
    alvo.getTabela().comment = "nor this";

    TColuna nova;
    nova.chaveEstrangeira = true;
    nova.CopiaColunaEstrangeira(alvo);
    ASSERT_NE(nova.getColunaEstrangeira(), nullptr);
    EXPECT_EQ(nova.getColunaEstrangeira()->Codifica(), alvo.Codifica());
    EXPECT_EQ(nova.getColunaEstrangeira()->facts, TColumnFacts());
    EXPECT_EQ(nova.getColunaEstrangeira()->getTabela().comment, "");

    TColuna existente;
    existente.chaveEstrangeira = true;
    existente.CriaColunaEstrangeira();
    existente.getColunaEstrangeira()->facts.comment = "kept";
    existente.CopiaColunaEstrangeira(alvo);
    EXPECT_EQ(existente.getColunaEstrangeira()->Codifica(), alvo.Codifica());
    EXPECT_EQ(existente.getColunaEstrangeira()->facts.comment, "kept");

    // A column may be given itself: it is copied as it was before.
    TColuna propria;
    propria.nome = "parent_id";
    propria.chaveEstrangeira = true;
    propria.CopiaColunaEstrangeira(propria);
    ASSERT_NE(propria.getColunaEstrangeira(), nullptr);
    EXPECT_EQ(propria.getColunaEstrangeira()->nome, "parent_id");
    EXPECT_EQ(propria.getColunaEstrangeira()->getColunaEstrangeira(), nullptr);
}

TEST(TColuna, VeryDeepReferenceChainsNeitherOverflowNorLoseLevels) {
    std::string texto;
    const int niveis = 50000;
    for (int i = 0; i < niveis; ++i) {
        texto += "TColuna||c=>0=>1=>=>1=>|>TTipoDado||=>0=>0=>0=>0=>0=>=>|>"
                 "TTabela||t=>=>=>=>|>TBaseDados||=>|>";
    }
    texto += "|>";
    TColuna coluna;
    coluna.Decodifica(texto);
    EXPECT_EQ(coluna.Codifica(), texto);
}

TEST(TColuna, KeyRoleFromIntegers) {
    TColuna coluna;
    for (const int valor : {2, -1, 0}) {
        coluna.setChavePrimaria(valor);
        EXPECT_EQ(coluna.tipoColuna, TTipoColuna::tcComum);
        EXPECT_EQ(coluna.getChavePrimaria(), 0);
    }
    coluna.setChavePrimaria(1);
    EXPECT_EQ(coluna.tipoColuna, TTipoColuna::tcChavePrimaria);
    EXPECT_EQ(coluna.getChavePrimaria(), 1);
}

TEST(TColuna, DamagedEncodingsRaiseListAndConversionFailures) {
    TColuna coluna;
    EXPECT_THROW(coluna.Decodifica(""), EListError);
    EXPECT_THROW(coluna.Decodifica("TColuna||a=>|>TTipoDado||=>|>"), EListError);
    std::string numeroRuim = ColunaId;
    numeroRuim.replace(numeroRuim.find("=>10=>"), 6, "=>1x=>");
    EXPECT_THROW(coluna.Decodifica(numeroRuim), EConvertError);
}

// Names holding the separators of the encoding, or starting with ">" (which would join the
// "||" before it), and the escape byte itself.
class NomesComSeparadores : public testing::TestWithParam<std::string> {};

TEST_P(NomesComSeparadores, SurviveTheEncodingInEveryTextField) {
    const std::string& nome = GetParam();
    TColuna coluna = CriaColunaId();
    coluna.nome = nome;
    coluna.alias = nome + "a";
    coluna.getTipoDado().nome = nome;
    coluna.getTipoDado().melhorCorrespondencia = nome;
    coluna.getTabela().nome = nome;
    coluna.getTabela().esquema = nome;
    coluna.getTabela().tipo = nome;
    coluna.getTabela().alias = nome;
    coluna.getTabela().getBaseDados().nome = nome;
    coluna.chaveEstrangeira = true;
    coluna.CopiaColunaEstrangeira(CriaColunaId());
    coluna.getColunaEstrangeira()->nome = nome;

    TColuna copia;
    copia.Decodifica(coluna.Codifica());
    EXPECT_EQ(copia.nome, nome);
    EXPECT_EQ(copia.alias, nome + "a");
    EXPECT_EQ(copia.getChavePrimaria(), 1);
    EXPECT_EQ(copia.getTipoDado().nome, nome);
    EXPECT_EQ(copia.getTipoDado().melhorCorrespondencia, nome);
    EXPECT_EQ(copia.getTipoDado().precisao, 10);
    EXPECT_EQ(copia.getTabela().nome, nome);
    EXPECT_EQ(copia.getTabela().esquema, nome);
    EXPECT_EQ(copia.getTabela().tipo, nome);
    EXPECT_EQ(copia.getTabela().alias, nome);
    EXPECT_EQ(copia.getTabela().getBaseDados().nome, nome);
    ASSERT_TRUE(copia.chaveEstrangeira);
    EXPECT_EQ(copia.getColunaEstrangeira()->nome, nome);
    EXPECT_EQ(copia.getColunaEstrangeira()->getTabela().nome, "Customers");
    EXPECT_EQ(copia.Codifica(), coluna.Codifica());
}

INSTANTIATE_TEST_SUITE_P(Registros, NomesComSeparadores,
                         testing::Values("a=>b", "a|>b", ">x", "=>", "|>", "x=>|>y|", "a>b=>",
                                         "\x1B",
                                         "\x1B"
                                         "1=>",
                                         "\x1B"
                                         "2>"));

TEST(TColuna, OnlyPartsThatNeedTheEscapeChange) {
    // Names without the separators encode byte for byte as they always did, also when they
    // hold the escape byte, ">" or "=" elsewhere.
    TColuna coluna = CriaColunaId();
    coluna.nome = "a>b=c|d\x1B";
    coluna.getTabela().nome = "x=";
    EXPECT_EQ(coluna.Codifica(),
              "TColuna||a>b=c|d\x1B=>1=>1=>Id=>0=>|>TTipoDado||int=>-1=>10=>0=>3=>-1=>1=>|>"
              "TTabela||x==>dbo=>TABLE=>Cliente=>|>TBaseDados||Shop=>|>|>");
    // A column name with a separator escapes the column's own part only, which then ends
    // with the mark; its type, table and database parts stay as they were.
    coluna.nome = "a=>b";
    EXPECT_EQ(coluna.Codifica(), "TColuna||a=\x1B"
                                 "2b=>1=>1=>Id=>0=>\x1B=>|>TTipoDado||int=>-1=>10=>0=>3=>-1=>1=>|>"
                                 "TTabela||x==>dbo=>TABLE=>Cliente=>|>TBaseDados||Shop=>|>|>");
    // An old encoding whose fields hold the escape byte but no mark reads as it stands.
    TColuna lida;
    lida.Decodifica("TColuna||\x1B"
                    "2x=>0=>1=>\x1B"
                    "1=>0=>|>TTipoDado||=>0=>0=>0=>0=>0=>=>|>"
                    "TTabela||=>=>=>=>|>TBaseDados||=>|>|>");
    EXPECT_EQ(lida.nome, "\x1B"
                         "2x");
    EXPECT_EQ(lida.alias, "\x1B"
                          "1");
}

// The copy CopiaCodificada gives is the one the encoding's round trip gives: the same
// encoding, and at every level the defaults for what the encoding leaves out.
void ComparaComIdaEVolta(const TColuna& original) {
    TColuna idaEVolta;
    idaEVolta.Decodifica(original.Codifica());
    const std::unique_ptr<TColuna> copia = original.CopiaCodificada();
    EXPECT_EQ(copia->Codifica(), idaEVolta.Codifica());
    const TColuna* a = copia.get();
    const TColuna* b = &idaEVolta;
    for (; a != nullptr && b != nullptr;
         a = a->getColunaEstrangeira(), b = b->getColunaEstrangeira()) {
        EXPECT_EQ(a->facts, b->facts);
        EXPECT_EQ(a->handSet, b->handSet);
        EXPECT_EQ(a->getTabela().comment, b->getTabela().comment);
        EXPECT_EQ(a->getTabela().handSetComment, b->getTabela().handSetComment);
        EXPECT_EQ(a->tipoColuna, b->tipoColuna);
    }
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
}

TEST(TColuna, CopyByFieldsIsTheCopyThroughTheEncoding) {
    TColuna id = CriaColunaId();
    id.facts.nullable = false;
    id.facts.comment = "not encoded";
    id.handSet[TColumnProperty::type] = "int";
    id.getTabela().comment = "table comment";
    id.getTabela().handSetComment = "by hand";
    ComparaComIdaEVolta(id);

    // Names with separators, the escape byte, ">" first, "=" and "|" last.
    TColuna estranha = CriaColunaId();
    estranha.nome = ">a=>b|>c\x1B";
    estranha.alias = "x=";
    estranha.getTipoDado().nome = "t|";
    estranha.getTipoDado().melhorCorrespondencia = "\x1B";
    estranha.getTabela().nome = ">";
    estranha.getTabela().esquema = "s=";
    estranha.getTabela().alias = "|";
    estranha.getTabela().getBaseDados().nome = "=>";
    ComparaComIdaEVolta(estranha);

    // A referenced column travels only with a foreign key, two levels deep, and without
    // its facts.
    TColuna alvo = CriaColunaId();
    alvo.facts.unique = true;
    alvo.getTabela().comment = "dropped";
    TColuna meio;
    meio.nome = "CustomerId";
    meio.chaveEstrangeira = true;
    meio.CopiaColunaEstrangeira(alvo);
    TColuna coluna;
    coluna.nome = "Customer";
    coluna.chaveEstrangeira = true;
    coluna.CopiaColunaEstrangeira(meio);
    coluna.getColunaEstrangeira()->facts.unique = true;
    ComparaComIdaEVolta(coluna);
    coluna.chaveEstrangeira = false;
    ComparaComIdaEVolta(coluna);
    EXPECT_EQ(coluna.CopiaCodificada()->getColunaEstrangeira(), nullptr);
}

TEST(NomesDaCodificacao, NameTheTableAndColumnOfADamagedLine) {
    std::string danificada = ColunaId;
    danificada.replace(danificada.find("=>10=>"), 6, "=>1x=>");
    const TNomesColuna nomes = NomesDaCodificacao(danificada);
    EXPECT_EQ(nomes.tabela, "dbo.Customers");
    EXPECT_EQ(nomes.coluna, "ID");
    EXPECT_EQ(NomesDaCodificacao("TColuna||broken").coluna, "broken");
    EXPECT_EQ(NomesDaCodificacao("").tabela, "");
}

TEST(TTabela, QualifiedName) {
    TTabela tabela;
    tabela.nome = "Customers";
    EXPECT_EQ(tabela.getNomeCompleto(), "Customers");
    tabela.esquema = "dbo";
    EXPECT_EQ(tabela.getNomeCompleto(), "dbo.Customers");
}

TEST(TTipoDado, NumbersAreWrittenInFullAtBothEndsOfTheirRange) {
    TTipoDado tipo;
    tipo.nome = "n";
    tipo.tamanho = std::numeric_limits<std::int32_t>::min();
    tipo.precisao = std::numeric_limits<std::int32_t>::max();
    tipo.escala = 0;
    tipo.tipoOLE = -1;
    tipo.precisaoDataHora = 7;
    const std::string texto = tipo.Codifica();
    EXPECT_EQ(texto, "TTipoDado||n=>-2147483648=>2147483647=>0=>-1=>7=>=>|>");
    TTipoDado lido;
    lido.Decodifica(texto);
    EXPECT_EQ(lido.Codifica(), texto);
    std::string anexado = "x";
    tipo.CodificaEm(anexado);
    EXPECT_EQ(anexado, "x" + texto);
}

TEST(TTipoDado, DerivedLengthAndPrecision) {
    TTipoDado tipo;
    tipo.tamanho = -1;
    tipo.precisao = 10;
    EXPECT_EQ(tipo.getTamanho(), 10);
    tipo.precisao = -1;
    tipo.precisaoDataHora = 3;
    EXPECT_EQ(tipo.getPrecisao(), 3);
    tipo.tamanho = 50;
    EXPECT_EQ(tipo.getTamanho(), 50);
}

// A row of fixed values; a field missing from the map is Null, "!bad" cannot be read.
class LinhaFixa : public TLinhaEsquema {
public:
    explicit LinhaFixa(std::map<int, std::string> valores) : m_valores(std::move(valores)) {}
    bool Nulo(int ordinal) const override { return !m_valores.contains(ordinal); }
    std::string Texto(int ordinal) const override {
        const std::string& valor = m_valores.at(ordinal);
        if (valor == "!bad") {
            throw Exception("cannot read");
        }
        return valor;
    }
    std::int64_t Inteiro(int) const override { return 0; }
    bool Booleano(int) const override { return false; }

private:
    std::map<int, std::string> m_valores;
};

TEST(LeituraDeLinhas, CatalogRowNullKeepsNameAndUnreadableEmptiesIt) {
    TBaseDados base;
    base.LeLinhaCatalogo(LinhaFixa({{rowset::catalogs::CATALOG_NAME, "shop"}}));
    EXPECT_EQ(base.nome, "shop");
    base.LeLinhaCatalogo(LinhaFixa({}));
    EXPECT_EQ(base.nome, "shop");
    base.LeLinhaCatalogo(LinhaFixa({{rowset::catalogs::CATALOG_NAME, "!bad"}}));
    EXPECT_EQ(base.nome, "");
}

TEST(LeituraDeLinhas, TablesRowReadsEachFieldOnItsOwn) {
    TTabela tabela;
    auto base = std::make_unique<TBaseDados>();
    base->nome = "shop";
    tabela.LeLinhaTabelas(std::move(base), LinhaFixa({{rowset::tables::TABLE_NAME, "orders"},
                                                      {rowset::tables::TABLE_TYPE, "TABLE"}}));
    EXPECT_EQ(tabela.getBaseDados().nome, "shop");
    EXPECT_EQ(tabela.esquema, "");
    EXPECT_EQ(tabela.nome, "orders");
    EXPECT_EQ(tabela.tipo, "TABLE");
}

} // namespace
} // namespace fendril
