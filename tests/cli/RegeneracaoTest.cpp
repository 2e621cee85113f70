// Regenerating the shop example: a first run, then hand edits and a schema change, then a
// second run. Expectations come from the first run and from a fresh generation of the
// changed schema, never from the text of the templates.

#include "model/Textos.h"
#include "support/ArquivosTemporarios.h"
#include "support/BancoSQLite.h"
#include "support/ExecutaCli.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>

namespace fendril {
namespace {

namespace fs = std::filesystem;

using TArquivos = std::map<std::string, std::string>; // name in generated/ -> content
using TDatas = std::map<std::string, fs::file_time_type>;

constexpr const char* kLinhaAMao = "// kept by hand";

TArquivos Gerados(const fs::path& pasta) {
    TArquivos arquivos;
    for (const auto& entrada : fs::directory_iterator(pasta)) {
        const std::string nome = entrada.path().filename().string();
        if (entrada.is_regular_file() && nome != "log.txt") {
            arquivos[nome] = teste::LeArquivo(entrada.path().string());
        }
    }
    return arquivos;
}

TDatas Datas(const fs::path& pasta) {
    TDatas datas;
    for (const auto& entrada : fs::recursive_directory_iterator(pasta)) {
        if (entrada.is_regular_file()) {
            datas[fs::relative(entrada.path(), pasta).string()] = entrada.last_write_time();
        }
    }
    return datas;
}

TListaTextos Linhas(const std::string& conteudo) {
    return SeparaCampos(conteudo, "\r\n");
}

std::string Junta(const TListaTextos& linhas) {
    std::string conteudo;
    for (const std::string& linha : linhas) {
        conteudo += linha + "\r\n";
    }
    return conteudo;
}

// The shop laid out as its scripts lay it out, generated once (the first run); beside it
// the mapping of the changed schema (a column added to every table) and what a fresh
// generation of it gives.
class Regeneracao : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_pasta = new teste::PastaTemporaria;
        const fs::path base = Base();
        const std::string exemplo = FENDRIL_SHOP_DIR;
        const std::string cli = FENDRIL_CLI;
        ASSERT_EQ(std::system(("bash '" + exemplo + "/make-example.sh' '" + cli + "' '" +
                               base.string() + "' >/dev/null")
                                  .c_str()),
                  0);
        ASSERT_EQ(std::system(("bash '" + exemplo + "/build-generation.sh' '" + cli + "' '" +
                               base.string() + "'")
                                  .c_str()),
                  0);
        const teste::ResultadoCli primeira = Gera(base);
        ASSERT_EQ(primeira.codigo, 0) << primeira.erros;
        s_antes = new TArquivos(Gerados(base / "generated"));

        // The changed schema, generated afresh elsewhere.
        const fs::path mudado = s_pasta->caminho() / "changed";
        fs::create_directories(mudado);
        fs::copy(base, mudado, fs::copy_options::recursive);
        fs::remove_all(mudado / "generated");
        fs::create_directory(mudado / "generated");
        MudaEsquema(mudado);
        const teste::ResultadoCli nova = Gera(mudado);
        ASSERT_EQ(nova.codigo, 0) << nova.erros;
        s_depois = new TArquivos(Gerados(mudado / "generated"));
        ASSERT_EQ(s_antes->size(), s_depois->size());
    }

    static void TearDownTestSuite() {
        delete s_antes;
        delete s_depois;
        delete s_pasta;
    }

    static fs::path Base() { return s_pasta->caminho() / "base"; }

    static teste::ResultadoCli Gera(const fs::path& projeto,
                                    std::vector<std::string> opcoes = {"--overwrite", "all"}) {
        std::vector<std::string> argumentos = {"generate", (projeto / "shop.kgf").string()};
        argumentos.insert(argumentos.end(), opcoes.begin(), opcoes.end());
        return teste::ExecutaCli(argumentos);
    }

    // Adds a column to every table of the project's database and imports the mapping again.
    static void MudaEsquema(const fs::path& projeto) {
        const std::string banco = (projeto / "shop.db").string();
        sqlite3* bd = nullptr;
        ASSERT_EQ(sqlite3_open(banco.c_str(), &bd), SQLITE_OK);
        TListaTextos tabelas;
        const auto junta = [](void* lista, int, char** valores, char**) {
            static_cast<TListaTextos*>(lista)->push_back(valores[0]);
            return 0;
        };
        sqlite3_exec(bd, "SELECT name FROM sqlite_master WHERE type = 'table'", junta, &tabelas,
                     nullptr);
        sqlite3_close(bd);
        ASSERT_FALSE(tabelas.empty());
        std::string sql;
        for (const std::string& tabela : tabelas) {
            sql += "ALTER TABLE \"" + tabela + "\" ADD COLUMN fendril_note TEXT;";
        }
        teste::CriaBanco(banco, sql);
        fs::remove(projeto / "shop.kmf");
        const teste::ResultadoCli importacao = teste::ExecutaCli(
            {"import", "--connection", "Provider=SQLite;Data Source=" + banco, "--database", "main",
             "--author", "Fendril", "-o", (projeto / "shop.kmf").string()});
        ASSERT_EQ(importacao.codigo, 0) << importacao.erros;
    }

    // A C++ header the schema change rewrites below its first two lines, so that a line
    // added at its top touches nothing the change touches.
    static std::string CabecalhoMudado() {
        for (const auto& [nome, antes] : *s_antes) {
            const TListaTextos a = Linhas(antes);
            const TListaTextos b = Linhas(s_depois->at(nome));
            if (nome.ends_with(".h") && a != b && a.size() > 3 && b.size() > 3 &&
                std::equal(a.begin(), a.begin() + 3, b.begin())) {
                return nome;
            }
        }
        ADD_FAILURE() << "no C++ header changes with the schema below its top lines";
        return {};
    }

    // A line of the first run's file that the schema change rewrites.
    static std::size_t LinhaReescrita(const std::string& nome) {
        const TListaTextos a = Linhas(s_antes->at(nome));
        const TListaTextos b = Linhas(s_depois->at(nome));
        const std::set<std::string> novas(b.begin(), b.end());
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!a[i].empty() && novas.count(a[i]) == 0) {
                return i;
            }
        }
        ADD_FAILURE() << nome << ": the schema change rewrites no line";
        return 0;
    }

    static teste::PastaTemporaria* s_pasta;
    static TArquivos* s_antes;  // the first run
    static TArquivos* s_depois; // a fresh generation of the changed schema

    teste::PastaTemporaria m_caso;
};

teste::PastaTemporaria* Regeneracao::s_pasta = nullptr;
TArquivos* Regeneracao::s_antes = nullptr;
TArquivos* Regeneracao::s_depois = nullptr;

enum class TEdicao { Nenhuma, OutrasLinhas, MesmaLinha };
enum class TEsperado { Anterior, Editado, Novo, Fundido, Conflito };

// A second run with `--overwrite merge` after hand edits and a schema change.
TEST_F(Regeneracao, SecondRunKeepsReplacesOrMerges) {
    struct Caso {
        const char* nome;
        TEdicao edicao;
        bool mudaEsquema;
        bool apagaGuardados;
        int codigo;
        TEsperado editado; // the edited header (or, without an edit, that header)
        bool outrosNovos;  // every other file holds the fresh generation
    };
    const std::string cabecalho = CabecalhoMudado();
    ASSERT_FALSE(cabecalho.empty());
    for (const Caso& caso : {
             Caso{"no edit, no schema change", TEdicao::Nenhuma, false, false, 0,
                  TEsperado::Anterior, false},
             Caso{"schema change", TEdicao::Nenhuma, true, false, 0, TEsperado::Novo, true},
             Caso{"hand edit", TEdicao::OutrasLinhas, false, false, 0, TEsperado::Editado, false},
             Caso{"both, on different lines", TEdicao::OutrasLinhas, true, false, 0,
                  TEsperado::Fundido, true},
             Caso{"both, on one line", TEdicao::MesmaLinha, true, false, 1, TEsperado::Conflito,
                  true},
             // Without kept content nothing tells generated from hand-written: the question
             // decides, and without a terminal it keeps every file that differs.
             Caso{"kept content deleted", TEdicao::OutrasLinhas, true, true, 0, TEsperado::Editado,
                  false},
         }) {
        SCOPED_TRACE(caso.nome);
        const fs::path projeto = m_caso.caminho() / caso.nome;
        fs::create_directories(projeto);
        fs::copy(Base(), projeto, fs::copy_options::recursive);
        const fs::path gerados = projeto / "generated";
        const fs::path arquivo = gerados / cabecalho;

        TListaTextos linhas = Linhas(s_antes->at(cabecalho));
        std::size_t linhaEditada = 0;
        if (caso.edicao == TEdicao::OutrasLinhas) {
            linhas.insert(linhas.begin(), kLinhaAMao);
        } else if (caso.edicao == TEdicao::MesmaLinha) {
            linhaEditada = LinhaReescrita(cabecalho);
            linhas[linhaEditada] += " // edited by hand";
        }
        const std::string editado = Junta(linhas);
        if (caso.edicao != TEdicao::Nenhuma) {
            teste::EscreveArquivo(arquivo.string(), editado);
        }
        if (caso.mudaEsquema) {
            MudaEsquema(projeto);
        }
        if (caso.apagaGuardados) {
            fs::remove_all(gerados / ".fendril");
        }
        const TDatas datas = Datas(gerados);

        const teste::ResultadoCli segunda = Gera(projeto, {"--overwrite", "merge"});
        EXPECT_EQ(segunda.codigo, caso.codigo) << segunda.saida << segunda.erros;

        const std::string resultado = teste::LeArquivo(arquivo.string());
        switch (caso.editado) {
        case TEsperado::Anterior:
            EXPECT_EQ(resultado, s_antes->at(cabecalho));
            break;
        case TEsperado::Editado:
            EXPECT_EQ(resultado, editado);
            break;
        case TEsperado::Novo:
            EXPECT_EQ(resultado, s_depois->at(cabecalho));
            break;
        case TEsperado::Fundido: {
            // The hand edit where it was, the new output everywhere else; and it compiles.
            TListaTextos fundido = Linhas(s_depois->at(cabecalho));
            fundido.insert(fundido.begin(), kLinhaAMao);
            EXPECT_EQ(resultado, Junta(fundido));
            EXPECT_NE(segunda.saida.find("1 merged, 0 with conflicts"), std::string::npos)
                << segunda.saida;
            const std::string compila = "echo '#include \"" + cabecalho +
                                        "\"' | g++ -std=c++17 -fsyntax-only -I'" +
                                        gerados.string() + "' -x c++ -";
            EXPECT_EQ(std::system(compila.c_str()), 0) << compila;
            break;
        }
        case TEsperado::Conflito:
            EXPECT_NE(resultado.find("\r\n<<<<<<< " + cabecalho + " (edited)\r\n" +
                                     Linhas(editado)[linhaEditada] + "\r\n=======\r\n"),
                      std::string::npos)
                << resultado;
            EXPECT_NE(resultado.find("\r\n>>>>>>> " + cabecalho + " (generated)\r\n"),
                      std::string::npos);
            EXPECT_NE(segunda.erros.find(cabecalho + " -> Merge Conflict At Line "),
                      std::string::npos)
                << segunda.erros;
            break;
        }

        // Every other file: as the first run left it or as a fresh generation gives it; a
        // file whose content stays is not written again.
        const TDatas datasDepois = Datas(gerados);
        for (const auto& [nome, antes] : *s_antes) {
            if (nome == cabecalho) {
                continue;
            }
            const std::string& esperado = caso.outrosNovos ? s_depois->at(nome) : antes;
            EXPECT_EQ(teste::LeArquivo((gerados / nome).string()), esperado) << nome;
            if (esperado == antes) {
                EXPECT_EQ(datasDepois.at(nome), datas.at(nome)) << nome << " was written again";
            }
        }
        // The kept content is what the run generated, whatever it wrote.
        if (!caso.apagaGuardados) {
            EXPECT_EQ(teste::LeArquivo((gerados / ".fendril" / cabecalho).string()),
                      caso.mudaEsquema ? s_depois->at(cabecalho) : s_antes->at(cabecalho));
        }
    }
}

// --check and --diff read the tree and write nothing: not a file, not a kept content, not
// the log.
TEST_F(Regeneracao, CheckAndDiffTellWhatARunWouldChange) {
    const std::string cabecalho = CabecalhoMudado();
    ASSERT_FALSE(cabecalho.empty());
    struct Caso {
        const char* nome;
        bool mudado;
    };
    for (const Caso& caso : {Caso{"clean", false}, Caso{"changed", true}}) {
        SCOPED_TRACE(caso.nome);
        const fs::path projeto = m_caso.caminho() / caso.nome;
        fs::create_directories(projeto);
        fs::copy(Base(), projeto, fs::copy_options::recursive);
        const fs::path gerados = projeto / "generated";
        std::string editado;
        if (caso.mudado) {
            TListaTextos linhas = Linhas(s_antes->at(cabecalho));
            linhas.insert(linhas.begin(), kLinhaAMao);
            editado = Junta(linhas);
            teste::EscreveArquivo((gerados / cabecalho).string(), editado);
            MudaEsquema(projeto);
        }
        const TDatas datas = Datas(gerados);

        const teste::ResultadoCli verificacao = Gera(projeto, {"--check"});
        EXPECT_EQ(verificacao.codigo, caso.mudado ? 1 : 0) << verificacao.erros;
        const TListaTextos listadas = SeparaCampos(verificacao.saida, "\n");
        ASSERT_EQ(listadas.size(), s_antes->size()) << verificacao.saida;
        for (const auto& [nome, antes] : *s_antes) {
            std::string situacao = "unchanged";
            if (caso.mudado && nome == cabecalho) {
                situacao = "hand-edited";
            } else if (caso.mudado && antes != s_depois->at(nome)) {
                situacao = "changed";
            }
            situacao.resize(11, ' ');
            EXPECT_NE(std::find(listadas.begin(), listadas.end(), situacao + "  " + nome),
                      listadas.end())
                << nome << "\n"
                << verificacao.saida;
        }

        const teste::ResultadoCli diferencas = Gera(projeto, {"--diff"});
        EXPECT_EQ(diferencas.codigo, 0) << diferencas.erros;
        if (!caso.mudado) {
            EXPECT_EQ(diferencas.saida, "");
        } else {
            // The edited header goes back to the new output: its hand edit is removed.
            EXPECT_NE(
                diferencas.saida.find("--- a/" + cabecalho + "\n+++ b/" + cabecalho + "\n@@ -1,"),
                std::string::npos)
                << diferencas.saida;
            EXPECT_NE(diferencas.saida.find("\n-" + std::string(kLinhaAMao) + "\r\n"),
                      std::string::npos);
            // Under merge the hand edit stays; only the schema's lines change.
            const teste::ResultadoCli fundidas = Gera(projeto, {"--diff", "--overwrite", "merge"});
            EXPECT_EQ(fundidas.saida.find("\n-" + std::string(kLinhaAMao)), std::string::npos)
                << fundidas.saida;
            EXPECT_NE(fundidas.saida.find("--- a/" + cabecalho), std::string::npos);
        }
        EXPECT_EQ(Datas(gerados), datas) << "--check and --diff write nothing";
        if (caso.mudado) {
            EXPECT_EQ(teste::LeArquivo((gerados / cabecalho).string()), editado);
        }
    }
}

// File names formed from empty aliases all name one file: the first table's is written,
// every other one fails, is listed as colliding and named in the log with the first.
TEST_F(Regeneracao, OutputsThatShareAPathAreNotWrittenOverEachOther) {
    const fs::path projeto = m_caso.caminho() / "alias";
    fs::create_directories(projeto);
    fs::copy(Base(), projeto, fs::copy_options::recursive);
    teste::EscreveArquivo((projeto / "alias.desc").string(), "Edit_autor = Ann\n"
                                                             "edit_tableextension = h\n"
                                                             "cb_fname = 1\n"
                                                             "re_classeobjeto = // <tbname>\n");
    ASSERT_EQ(teste::ExecutaCli({"compose", (projeto / "alias.desc").string(), "-o",
                                 (projeto / "alias.tpt").string()})
                  .codigo,
              0);
    const fs::path saida = projeto / "alias-out";
    fs::create_directory(saida);
    const std::vector<std::string> argumentos = {
        "generate",     "--mapping",        (projeto / "shop.kmf").string(), "--out",
        saida.string(), "--table-template", (projeto / "alias.tpt").string()};

    std::vector<std::string> lista = argumentos;
    lista.push_back("--list");
    const teste::ResultadoCli listagem = teste::ExecutaCli(lista);
    EXPECT_EQ(listagem.codigo, 1);
    const TListaTextos linhas = SeparaCampos(listagem.saida, "\n");
    ASSERT_GT(linhas.size(), 2u) << listagem.saida;
    EXPECT_EQ(linhas[0], "new          .h");
    EXPECT_EQ(std::count(linhas.begin(), linhas.end(), "colliding    .h"),
              static_cast<long>(linhas.size() - 1));

    const teste::ResultadoCli run = teste::ExecutaCli(argumentos);
    EXPECT_EQ(run.codigo, 1);
    EXPECT_NE(run.saida.find("1 written, 0 unchanged, 0 skipped, " +
                             std::to_string(linhas.size() - 1) + " failed"),
              std::string::npos)
        << run.saida;
    EXPECT_NE(run.erros.find("Some Files Could Not Be Created. View Log For Details. "),
              std::string::npos);
    // The file holds the first table's output; each later table is named in the log with
    // that first one.
    const std::string escrito = teste::LeArquivo((saida / ".h").string());
    ASSERT_TRUE(escrito.starts_with("// ") && escrito.ends_with("\r\n")) << escrito;
    const std::string primeira = escrito.substr(3, escrito.size() - 5);
    const std::string log = teste::LeArquivo((saida / "log.txt").string());
    const std::string colisao = "Of Template " + (projeto / "alias.tpt").string() +
                                " And Table \"" + primeira + "\" Of Template " +
                                (projeto / "alias.tpt").string() +
                                " Both Name This File; Only The First Is Written !!";
    std::size_t vezes = 0;
    for (std::size_t p = log.find(colisao); p != std::string::npos; p = log.find(colisao, p + 1)) {
        ++vezes;
    }
    EXPECT_EQ(vezes, linhas.size() - 1) << log;
}

} // namespace
} // namespace fendril
