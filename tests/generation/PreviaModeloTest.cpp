// The preview of a template equals, byte for byte, the file a run of the shop example writes,
// for a table-class template (each page) and for general templates (per table and single),
// and shows the coherence check's message for a broken text.
#include "documents/TDocModelos.h"
#include "engine/TMontaCodigo.h"
#include "generation/TProcessaGeracao.h"
#include "model/Erros.h"
#include "support/ArquivosTemporarios.h"
#include "support/BancoSQLite.h"
#include "support/ExecutaCli.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace fendril {
namespace {

namespace fs = std::filesystem;
using teste::LeArquivo;

const std::string kExemplo = FENDRIL_SHOP_DIR;

// The shop's database, mapping and three templates (the C++ classes, the Python modules and
// package), built once, and one run of them.
class Previa : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_pasta = new teste::PastaTemporaria;
        const std::string banco = Arquivo("shop.db");
        teste::CriaBanco(banco, LeArquivo(kExemplo + "/shop.sql"));
        Cli({"import", "--connection", "Provider=SQLite;Data Source=" + banco, "--database", "main",
             "--author", "Fendril", "--name", "Shop", "-o", Arquivo("shop.kmf"), "--log",
             Arquivo("load.log")});
        const std::string modelos = kExemplo + "/templates/";
        Cli({"compose", modelos + "cpp/classes.desc", "-o", Arquivo("classes.tpt")});
        Cli({"compose", modelos + "python/modules.desc", "-o", Arquivo("modules.tpg")});
        Cli({"compose", modelos + "python/package.desc", "-o", Arquivo("package.tpg")});
        // The modules' relative types file lies beside their template.
        fs::copy_file(modelos + "python/python-types.txt", Arquivo("python-types.txt"));
        fs::create_directory(Arquivo("out"));

        TProcessaGeracao run;
        run.caminhoMapeamento = Arquivo("shop.kmf");
        run.diretorioGeracao = Arquivo("out");
        run.AdicionaModelosTabela({Arquivo("classes.tpt")});
        run.AdicionaModelosGerais({Arquivo("modules.tpg"), Arquivo("package.tpg")});
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        ASSERT_EQ(run.falhas(), 0);
    }
    static void TearDownTestSuite() {
        delete s_pasta;
        s_pasta = nullptr;
    }

    static std::string Arquivo(const std::string& nome) { return s_pasta->arquivo(nome); }
    static void Cli(const std::vector<std::string>& argumentos) {
        const teste::ResultadoCli resultado = teste::ExecutaCli(argumentos);
        ASSERT_EQ(resultado.codigo, 0) << resultado.erros;
    }
    static TArquivoKMF Documento(const std::string& nome) {
        TArquivoKMF documento;
        documento.Abre(Arquivo(nome));
        return documento;
    }

    void SetUp() override {
        m_previa.caminhoMapeamento = Arquivo("shop.kmf");
        ASSERT_TRUE(m_previa.Prepara());
    }

    // The preview must name a file of the run and hold exactly its content.
    void ComparaComRun(const TPrevia& previa, const std::string& nome) {
        ASSERT_TRUE(previa.gerado) << previa.erro;
        EXPECT_EQ(previa.nome, nome);
        EXPECT_EQ(previa.conteudo, LeArquivo(Arquivo("out/" + nome)));
    }

    static inline teste::PastaTemporaria* s_pasta = nullptr;
    TProcessaGeracao m_previa;
};

TEST_F(Previa, TableClassPagesEqualTheRun) {
    const TArquivoKMF modelo = Documento("classes.tpt");
    const std::string caminho = Arquivo("classes.tpt");
    const struct {
        std::string tabela;
        std::string arquivo;
    } casos[] = {{"order_lines", "OrderLine.h"}, {"categories", "Category.h"}};
    for (const auto& caso : casos) {
        ComparaComRun(m_previa.Previa(modelo, caminho, false, caso.tabela, TPaginaPrevia::Classe),
                      caso.arquivo);
    }
    // The parent class and the make file cover the whole mapping, whatever the table.
    ComparaComRun(m_previa.Previa(modelo, caminho, false, "orders", TPaginaPrevia::ClassePai),
                  "Record.h");
    ComparaComRun(m_previa.Previa(modelo, caminho, false, "", TPaginaPrevia::Make),
                  "CMakeLists.txt");
}

TEST_F(Previa, GeneralTemplatesEqualTheRun) {
    // One file per table, with the types file beside the template.
    ComparaComRun(m_previa.Previa(Documento("modules.tpg"), Arquivo("modules.tpg"), true,
                                  "order_lines", TPaginaPrevia::Classe),
                  "order_line.py");
    // One file for the whole mapping.
    ComparaComRun(m_previa.Previa(Documento("package.tpg"), Arquivo("package.tpg"), true,
                                  "order_lines", TPaginaPrevia::Classe),
                  "__init__.py");
}

TEST_F(Previa, ABrokenTextShowsTheCoherenceMessage) {
    TDocModeloTabela doc;
    doc.setArquivo(Documento("classes.tpt"));
    doc.classeObjeto += "\n<simplecol>open block";
    std::string esperado;
    try {
        TMontaCodigo::VerificaTags("<rctable>" + doc.classeObjeto + "</rctable>");
    } catch (const EErroGeral& erro) {
        esperado = erro.textoErro();
    }
    ASSERT_FALSE(esperado.empty());
    const TPrevia previa = m_previa.Previa(doc.getArquivo(), Arquivo("classes.tpt"), false,
                                           "orders", TPaginaPrevia::Classe);
    EXPECT_FALSE(previa.gerado);
    EXPECT_EQ(previa.erro, esperado);
}

TEST_F(Previa, WhatGivesNoFileIsSaid) {
    TDocModeloTabela doc;
    doc.setArquivo(Documento("classes.tpt"));
    const std::string caminho = Arquivo("classes.tpt");
    const TArquivoKMF modelo = doc.getArquivo();
    EXPECT_EQ(m_previa.Previa(modelo, caminho, false, "nowhere", TPaginaPrevia::Classe).erro,
              "The Table \"nowhere\" Is Not In The Mapping !!");
    doc.formaNome = "pascal:nofilter";
    EXPECT_EQ(
        m_previa.Previa(doc.getArquivo(), caminho, false, "orders", TPaginaPrevia::Classe).erro,
        "Unknown Filter \"nofilter\" In The Name Form \"pascal:nofilter\" !!");
    // The other pages still run with a wrong name form.
    EXPECT_TRUE(m_previa.Previa(doc.getArquivo(), caminho, false, "", TPaginaPrevia::Make).gerado);
    doc.formaNome.clear();
    doc.makePrefix.clear();
    doc.makeExtension.clear();
    EXPECT_EQ(m_previa.Previa(doc.getArquivo(), caminho, false, "", TPaginaPrevia::Make).erro,
              "The Template Names No Make File !!");
    TProcessaGeracao semMapa;
    semMapa.caminhoMapeamento = Arquivo("missing.kmf");
    EXPECT_FALSE(semMapa.Prepara());
    EXPECT_EQ(semMapa.Previa(modelo, caminho, false, "orders", TPaginaPrevia::Classe).erro,
              semMapa.erroMapeamento());
}

TEST_F(Previa, ThePreviewMappingIsWrittenOnlyWhenSet) {
    TDocModeloGeral doc;
    doc.setArquivo(Documento("package.tpg"));
    EXPECT_TRUE(doc.mapaPrevia.empty());
    const TListaTextos antes = doc.getArquivo().getLinhas();
    doc.mapaPrevia = "shop.kmf";
    TArquivoKMF comMapa = doc.getArquivo();
    EXPECT_EQ(comMapa.getLinhas().size(), antes.size() + 1);
    TDocModeloGeral lido;
    lido.setArquivo(comMapa);
    EXPECT_EQ(lido.mapaPrevia, "shop.kmf");
}

} // namespace
} // namespace fendril
