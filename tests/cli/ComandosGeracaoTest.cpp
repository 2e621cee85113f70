#include "cli/ComandosGeracao.h"

#include "cli/ComandosCompor.h"
#include "documents/TArquivoKMF.h"
#include "model/TColuna.h"
#include "support/ArquivosTemporarios.h"
#include "support/ExecutaCli.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace fendril {
namespace {

namespace fs = std::filesystem;

// A project folder: a mapping of two tables, a table-class template and a general
// template built with compose from plain descriptions, and a generation document that
// names them by relative paths.
class ProjetoGeracao : public testing::Test {
protected:
    ProjetoGeracao() : m_projeto(m_pasta.caminho() / "project") {
        fs::create_directories(m_projeto / "out");
        TArquivoKMF mapa;
        mapa.cabecalho = "Ann";
        mapa.AdicionaEntrada("descricao", "combo_basedados", "shop");
        for (const char* tabela : {"customers", "orders"}) {
            TColuna coluna;
            coluna.getTabela().nome = tabela;
            coluna.nome = "id";
            coluna.setChavePrimaria(1);
            coluna.getTipoDado().nome = "INTEGER";
            mapa.AdicionaLinha("tabelasecolunas", coluna.Codifica());
        }
        mapa.Salva((m_projeto / "shop.kmf").string());

        Escreve("class.txt", "struct <tbname> {<prkcol> <colvartype> <colname>;</prkcol> };");
        Escreve("types.txt", "INTEGER;long;0;\n");
        Escreve("cpp.desc", "Edit_autor = Ann\n"
                            "edit_tableextension = h\n"
                            "re_classeobjeto = @class.txt\n"
                            "tb_tipos = @types.txt\n");
        Escreve("list.desc", "rg_file = 1\n"
                             "edit_makeprefix = tables\n"
                             "edit_makeextension = md\n"
                             "re_classeobjeto = <tbcount>:<rctable> <tbname></rctable>\n");
        Escreve("gen.desc", "Edit_autor = Ann\n"
                            "edit_mapfile = shop.kmf\n"
                            "gerdir = out\n"
                            "cb_fendril = cpp.tpt\n"
                            "cb_fendril = cpp.tpt;0\n"
                            "cb_templ = list.tpg\n");
        std::ostringstream erros;
        for (const auto& [descricao, documento] : {std::pair{"cpp.desc", "cpp.tpt"},
                                                   {"list.desc", "list.tpg"},
                                                   {"gen.desc", "gen.kgf"}}) {
            EXPECT_EQ(ComandoCompose((m_projeto / descricao).string(),
                                     (m_projeto / documento).string(), erros),
                      0)
                << erros.str();
        }
    }

    void Escreve(const std::string& nome, const std::string& conteudo) {
        teste::EscreveArquivo((m_projeto / nome).string(), conteudo);
    }

    int Gera(TOpcoesGeracao opcoes, const std::string& respostas = "") {
        std::istringstream entrada(respostas);
        m_saida.str("");
        m_erros.str("");
        return ComandoGenerate(opcoes, {entrada, !respostas.empty(), false}, m_saida, m_erros);
    }

    teste::PastaTemporaria m_pasta;
    fs::path m_projeto;
    std::ostringstream m_saida;
    std::ostringstream m_erros;
};

TEST_F(ProjetoGeracao, MovedProjectStillGeneratesFromRelativePaths) {
    const fs::path movido = m_pasta.caminho() / "moved";
    fs::rename(m_projeto, movido);
    TOpcoesGeracao opcoes;
    opcoes.documento = (movido / "gen.kgf").string();

    opcoes.listar = true;
    ASSERT_EQ(Gera(opcoes), 0) << m_erros.str();
    EXPECT_EQ(m_saida.str(), "new          customers.h\n"
                             "new          orders.h\n"
                             "new          tables.md\n");
    EXPECT_FALSE(fs::exists(movido / "out" / "customers.h"));

    opcoes.listar = false;
    ASSERT_EQ(Gera(opcoes), 0) << m_erros.str();
    EXPECT_EQ(teste::LeArquivo((movido / "out" / "customers.h").string()),
              "struct customers { long id; };\r\n");
    EXPECT_EQ(teste::LeArquivo((movido / "out" / "tables.md").string()), "2: customers orders\r\n");
    EXPECT_NE(m_saida.str().find("3 written, 0 unchanged, 0 skipped, 0 failed"), std::string::npos);
}

TEST_F(ProjetoGeracao, ExistingFilesAreKeptUnlessTheAnswerSaysOtherwise) {
    TOpcoesGeracao opcoes;
    opcoes.documento = (m_projeto / "gen.kgf").string();
    ASSERT_EQ(Gera(opcoes), 0);

    // Without a terminal nothing is overwritten; the kept files are skipped, not failed,
    // and files that already hold their output are not written at all.
    Escreve("out/customers.h", "mine");
    Escreve("out/tables.md", "mine");
    EXPECT_EQ(Gera(opcoes), 0) << m_erros.str();
    EXPECT_NE(m_saida.str().find("0 written, 1 unchanged, 2 skipped, 0 failed"), std::string::npos)
        << m_saida.str();
    EXPECT_EQ(teste::LeArquivo((m_projeto / "out" / "tables.md").string()), "mine");

    // On a terminal the question is asked; "a" answers Yes To All.
    EXPECT_EQ(Gera(opcoes, "maybe\na\n"), 0) << m_erros.str();
    EXPECT_NE(m_erros.str().find("Overwrite \"customers.h\" ?"), std::string::npos);
    EXPECT_EQ(m_erros.str().find("Overwrite \"tables.md\" ?"), std::string::npos);
    EXPECT_NE(m_saida.str().find("2 written, 1 unchanged, 0 skipped, 0 failed"), std::string::npos)
        << m_saida.str();

    opcoes.sobrescrita = "all";
    EXPECT_EQ(Gera(opcoes), 0);
}

TEST_F(ProjetoGeracao, IncompleteSetUpsAreUsageErrors) {
    TOpcoesGeracao opcoes;
    opcoes.mapeamento = (m_projeto / "shop.kmf").string();
    opcoes.diretorio = (m_projeto / "out").string();
    EXPECT_EQ(Gera(opcoes), 2);
    EXPECT_EQ(m_erros.str(), "At Least One Template Must Be Specified !!\n");

    opcoes.modelosGerais = {(m_projeto / "list.tpg").string()};
    opcoes.mapeamento = (m_projeto / "none.kmf").string();
    EXPECT_EQ(Gera(opcoes), 2);
    EXPECT_EQ(m_erros.str(), "File Does Not Exist: \"" + opcoes.mapeamento + "\"\n");
}

TEST_F(ProjetoGeracao, AGenerationDirectoryThatIsNotThereStopsTheRun) {
    TOpcoesGeracao opcoes;
    opcoes.mapeamento = (m_projeto / "shop.kmf").string();
    opcoes.modelosGerais = {(m_projeto / "list.tpg").string()};
    opcoes.diretorio = (m_projeto / "missing").string();
    EXPECT_EQ(Gera(opcoes), 2);
    EXPECT_EQ(m_erros.str(),
              "The Generation Directory \"" + opcoes.diretorio + "\" Does Not Exist !!\n");
    EXPECT_EQ(m_saida.str(), "");
    EXPECT_FALSE(fs::exists(m_projeto / "missing"));

    opcoes.diretorio = (m_projeto / "shop.kmf").string();
    EXPECT_EQ(Gera(opcoes), 2);
    EXPECT_EQ(m_erros.str(),
              "The Generation Directory \"" + opcoes.diretorio + "\" Is Not A Directory !!\n");

    // Listing writes nothing, so it needs no directory: every file is new.
    opcoes.diretorio = (m_projeto / "missing").string();
    opcoes.listar = true;
    EXPECT_EQ(Gera(opcoes), 0) << m_erros.str();
    EXPECT_EQ(m_saida.str(), "new          tables.md\n");
    EXPECT_FALSE(fs::exists(m_projeto / "missing"));
}

TEST_F(ProjetoGeracao, EachFailureIsPrintedAndDecidesTheExitStatus) {
    // A backslash separates folders as on the platform the templates were made on.
    fs::create_directory(m_projeto / "out" / "src");
    Escreve("sub.desc", "Edit_autor = Ann\n"
                        "edit_tableprefix = src\\\n"
                        "edit_tableextension = h\n"
                        "re_classeobjeto = <tbname>\n");
    ASSERT_EQ(ComandoCompose((m_projeto / "sub.desc").string(), (m_projeto / "sub.tpt").string(),
                             m_erros),
              0);
    TOpcoesGeracao opcoes;
    opcoes.mapeamento = (m_projeto / "shop.kmf").string();
    opcoes.diretorio = (m_projeto / "out").string();
    opcoes.modelosTabela = {(m_projeto / "sub.tpt").string()};
    ASSERT_EQ(Gera(opcoes), 0) << m_erros.str();
    EXPECT_TRUE(fs::exists(m_projeto / "out" / "src" / "orders.h"));
    EXPECT_EQ(m_erros.str(), "");

    // 25 missing templates: 20 failure lines, then how many more there were.
    opcoes.modelosTabela.clear();
    for (int i = 0; i < 25; ++i) {
        opcoes.modelosTabela.push_back(
            (m_projeto / ("missing" + std::to_string(i) + ".tpt")).string());
    }
    EXPECT_EQ(Gera(opcoes), 1);
    const std::string erros = m_erros.str();
    EXPECT_NE(erros.find("]: File Does Not Exist: \"" + opcoes.modelosTabela[0] + "\"\n"),
              std::string::npos)
        << erros;
    EXPECT_NE(erros.find(opcoes.modelosTabela[19]), std::string::npos);
    EXPECT_EQ(erros.find(opcoes.modelosTabela[20]), std::string::npos);
    EXPECT_NE(erros.find("\n... and 5 more failures\nSome Files Could Not Be Created. View Log For "
                         "Details. \n" +
                         (m_projeto / "out" / "log.txt").string() + "\n"),
              std::string::npos)
        << erros;
    EXPECT_NE(m_saida.str().find("0 written, 0 unchanged, 0 skipped, 25 failed"),
              std::string::npos);
}

TEST_F(ProjetoGeracao, MaxOutputStopsAnExpansionAndTheLogSaysWhy) {
    // Five nested table blocks over two tables: 32 names, 242 bytes.
    Escreve("big.desc", "rg_file = 1\n"
                        "edit_makeprefix = big\n"
                        "edit_makeextension = txt\n"
                        "re_classeobjeto = <rctable><rctable><rctable><rctable><rctable><tbname>"
                        "</rctable></rctable></rctable></rctable></rctable>\n");
    std::ostringstream erros;
    ASSERT_EQ(
        ComandoCompose((m_projeto / "big.desc").string(), (m_projeto / "big.tpg").string(), erros),
        0);
    const auto gera = [&](const std::string& limite) {
        return teste::ExecutaCli({"generate", "--mapping", (m_projeto / "shop.kmf").string(),
                                  "--out", (m_projeto / "out").string(), "--general-template",
                                  (m_projeto / "big.tpg").string(), "--max-output", limite});
    };
    EXPECT_EQ(gera("200").codigo, 1);
    const std::string log = teste::LeArquivo((m_projeto / "out" / "log.txt").string());
    EXPECT_NE(log.find("big.tpg -> Template Expansion Stopped: The Generated Text Passes The "
                       "Limit Of 200 Bytes !!"),
              std::string::npos)
        << log;
    EXPECT_FALSE(fs::exists(m_projeto / "out" / "big.txt"));

    EXPECT_EQ(gera("1KB").codigo, 0);
    EXPECT_EQ(fs::file_size(m_projeto / "out" / "big.txt"), 16u * 9 + 16u * 6 + 2);
    EXPECT_EQ(gera("0").codigo, 2);
    EXPECT_EQ(gera("lots").codigo, 2);
}

TEST_F(ProjetoGeracao, TheLogListsTheTemplatesWarnings) {
    Escreve("class.txt", "struct <tbname:pascal> {<prkcol> <colvartype> <colnmae>;</prkcol> };\n"
                         "// <refcolcount> <tbnmae>");
    std::ostringstream erros;
    ASSERT_EQ(
        ComandoCompose((m_projeto / "cpp.desc").string(), (m_projeto / "cpp.tpt").string(), erros),
        0);
    TOpcoesGeracao opcoes;
    opcoes.documento = (m_projeto / "gen.kgf").string();
    ASSERT_EQ(Gera(opcoes), 0) << m_erros.str();
    const std::string log = teste::LeArquivo((m_projeto / "out" / "log.txt").string());
    const std::string rotulo = (m_projeto / "cpp.tpt").string() + "(Table Class) -> ";
    EXPECT_NE(log.find(rotulo + "Warning At Line 1, Column 47: Unknown Tag <colnmae>, Did You "
                                "Mean <colname>?"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find(rotulo + "Warning At Line 2, Column 18: Unknown Tag <tbnmae>, Did You "
                                "Mean <tbname>?"),
              std::string::npos)
        << log;
    EXPECT_EQ(teste::LeArquivo((m_projeto / "out" / "customers.h").string()),
              "struct Customers { long <colnmae>; };\r\n// 0 <tbnmae>\r\n");
}

TEST(ResolveCaminho, RelativeToTheDocumentAbsoluteAsItIs) {
    EXPECT_EQ(ResolveCaminho("/p/q", "out"), "/p/q/out");
    EXPECT_EQ(ResolveCaminho("/p/q", "..\\t\\a.tpt"), "/p/t/a.tpt");
    EXPECT_EQ(ResolveCaminho("/p/q", "/abs/x.kmf"), "/abs/x.kmf");
    EXPECT_EQ(ResolveCaminho("/p/q", ""), "");
}

} // namespace
} // namespace fendril
