#include "support/ArquivosTemporarios.h"
#include "support/ExecutaCli.h"

#include <gtest/gtest.h>
#include <sstream>
#include <vector>

namespace fendril {
namespace {

using Resultado = teste::ResultadoCli;
using teste::ExecutaCli;

Resultado Executa(std::vector<std::string> argumentos) {
    return ExecutaCli(std::move(argumentos));
}

class ComandosDocumento : public testing::Test {
protected:
    teste::PastaTemporaria m_pasta;
};

TEST_F(ComandosDocumento, PackThenDumpPrintsTheTextBack) {
    const std::string texto = "Author \\x01\n"
                              "descricao||Edit_nome||Orders||\n"
                              "\n"
                              "modelo||re_classeobjeto||a || b\\r\\nline two\\t\\\\x||\n"
                              "tabelasecolunas||TColuna||id=>1=>1=>=>0=>|>\n";
    teste::EscreveArquivo(m_pasta.arquivo("doc.txt"), texto);
    const Resultado pack =
        Executa({"pack", m_pasta.arquivo("doc.txt"), "-o", m_pasta.arquivo("doc.kmf")});
    ASSERT_EQ(pack.codigo, 0) << pack.erros;
    EXPECT_EQ(teste::LeArquivo(m_pasta.arquivo("doc.kmf")).find("Orders"), std::string::npos)
        << "the stored lines are scrambled";

    const Resultado dump = Executa({"dump", m_pasta.arquivo("doc.kmf")});
    ASSERT_EQ(dump.codigo, 0) << dump.erros;
    EXPECT_EQ(dump.saida, texto);
}

TEST_F(ComandosDocumento, PackAcceptsCrLfLines) {
    teste::EscreveArquivo(m_pasta.arquivo("doc.txt"), "H\r\na||b||c||\r\nlast");
    ASSERT_EQ(Executa({"pack", m_pasta.arquivo("doc.txt"), "-o", m_pasta.arquivo("d.kmf")}).codigo,
              0);
    EXPECT_EQ(Executa({"dump", m_pasta.arquivo("d.kmf")}).saida, "H\na||b||c||\nlast\n");
}

TEST_F(ComandosDocumento, FailuresPrintTheMessageAndExitOne) {
    const std::string ausente = m_pasta.arquivo("missing.kmf");
    const Resultado dump = Executa({"dump", ausente});
    EXPECT_EQ(dump.codigo, 1);
    EXPECT_EQ(dump.erros, "Could Not Open File " + ausente + "\n");

    teste::EscreveArquivo(m_pasta.arquivo("bad.kmf"), "header\r\n12Fndrl\r\nnot=valid\r\n");
    const Resultado danificado = Executa({"dump", m_pasta.arquivo("bad.kmf")});
    EXPECT_EQ(danificado.codigo, 1);
    EXPECT_EQ(danificado.erros, "Blowfish: Error converting from Base64 - invalid character\n");

    teste::EscreveArquivo(m_pasta.arquivo("esc.txt"), "H\nbad \\q escape\n");
    const Resultado pack =
        Executa({"pack", m_pasta.arquivo("esc.txt"), "-o", m_pasta.arquivo("esc.kmf")});
    EXPECT_EQ(pack.codigo, 1);
    EXPECT_NE(pack.erros.find("esc.txt:2: "), std::string::npos) << pack.erros;
}

TEST_F(ComandosDocumento, CheckReportsTheTagCheck) {
    teste::EscreveArquivo(m_pasta.arquivo("ok.txt"), "<rctable><simplecol>x</simplecol></rctable>");
    const Resultado bom = Executa({"check", m_pasta.arquivo("ok.txt")});
    EXPECT_EQ(bom.codigo, 0);
    EXPECT_EQ(bom.saida, "No Crossed Tags Present !!\n");

    teste::EscreveArquivo(m_pasta.arquivo("crossed.txt"),
                          "<simplecol><prkcol></simplecol></prkcol>");
    const Resultado cruzado = Executa({"check", m_pasta.arquivo("crossed.txt")});
    EXPECT_EQ(cruzado.codigo, 1);
    EXPECT_EQ(cruzado.erros, "Syntax Error: Crossed Tags Present \n");

    teste::EscreveArquivo(m_pasta.arquivo("count.txt"), "<prkcol>");
    EXPECT_EQ(Executa({"check", m_pasta.arquivo("count.txt")}).erros,
              "Syntax Error: Number of Opening and Closing Tags Does Not Match !!\n");
}

TEST_F(ComandosDocumento, CheckPrintsWarningsAndPlacesTheFailure) {
    teste::EscreveArquivo(m_pasta.arquivo("warn.txt"),
                          "<rctable>\n  <colnmae> <tbname:pascl>\n</rctable>");
    const Resultado avisos = Executa({"check", m_pasta.arquivo("warn.txt")});
    EXPECT_EQ(avisos.codigo, 0) << avisos.erros;
    const std::string arquivo = m_pasta.arquivo("warn.txt");
    EXPECT_EQ(avisos.saida,
              arquivo + ":2:3: warning: Unknown Tag <colnmae>, Did You Mean <colname>?\n" +
                  arquivo + ":2:13: warning: Unknown Filter \"pascl\" In <tbname:pascl>\n" +
                  "No Crossed Tags Present !!\n");
    const Resultado estrito = Executa({"check", "--strict", arquivo});
    EXPECT_EQ(estrito.codigo, 1);
    EXPECT_EQ(estrito.erros, "2 Warnings With --strict !!\n");

    teste::EscreveArquivo(m_pasta.arquivo("bad.txt"), "<rctable>\n x <prkcol></rctable>");
    const Resultado falha = Executa({"check", "--strict", m_pasta.arquivo("bad.txt")});
    EXPECT_EQ(falha.codigo, 1);
    EXPECT_EQ(falha.saida, m_pasta.arquivo("bad.txt") +
                               ":2:4: error: Syntax Error: Number of Opening and Closing Tags "
                               "Does Not Match !!\n");
}

TEST_F(ComandosDocumento, CheckReadsTheCodeTextsOfTemplates) {
    // A table-class text is checked inside a table block, as the run expands it.
    teste::EscreveArquivo(m_pasta.arquivo("t.desc"), "Edit_autor = Ann\n"
                                                     "re_classeobjeto = <tbname> <colname>\n"
                                                     "re_classepai = <tbname>\n"
                                                     "re_make = <simplecol></simplecol>\n");
    ASSERT_EQ(
        Executa({"compose", m_pasta.arquivo("t.desc"), "-o", m_pasta.arquivo("t.tpt")}).codigo, 0);
    const std::string tpt = m_pasta.arquivo("t.tpt");
    const Resultado tabela = Executa({"check", tpt});
    EXPECT_EQ(tabela.codigo, 0) << tabela.erros;
    EXPECT_EQ(tabela.saida, tpt +
                                "(Table Class):1:10: warning: <colname> Is Outside A Column "
                                "Block\n" +
                                tpt +
                                "(Parent Class):1:1: warning: <tbname> Is Outside A Table "
                                "Block\n" +
                                tpt +
                                "(Make File):1:1: warning: <simplecol> Is Outside A Table "
                                "Block\n" +
                                "No Crossed Tags Present !!\n");

    // A general template wraps its text only when it writes one file per table.
    teste::EscreveArquivo(m_pasta.arquivo("g.desc"), "rg_file = 1\n"
                                                     "re_classeobjeto = </rctable><rctable>\n");
    ASSERT_EQ(
        Executa({"compose", m_pasta.arquivo("g.desc"), "-o", m_pasta.arquivo("g.tpg")}).codigo, 0);
    EXPECT_EQ(Executa({"check", m_pasta.arquivo("g.tpg")}).erros,
              "Syntax Error: Crossed Tags Present \n");
    teste::EscreveArquivo(m_pasta.arquivo("g.desc"), "rg_file = 0\n"
                                                     "re_classeobjeto = </rctable><rctable>\n");
    ASSERT_EQ(
        Executa({"compose", m_pasta.arquivo("g.desc"), "-o", m_pasta.arquivo("g.tpg")}).codigo, 0);
    EXPECT_EQ(Executa({"check", m_pasta.arquivo("g.tpg")}).codigo, 0);

    // A name form with an unknown filter makes the run write no per-table file: an error.
    teste::EscreveArquivo(m_pasta.arquivo("n.desc"), "rg_file = 0\n"
                                                     "re_classeobjeto = <tbname>\n"
                                                     "cb_fname = 2\n"
                                                     "edit_nameform = pascal:singlar\n");
    ASSERT_EQ(
        Executa({"compose", m_pasta.arquivo("n.desc"), "-o", m_pasta.arquivo("n.tpg")}).codigo, 0);
    const Resultado forma = Executa({"check", m_pasta.arquivo("n.tpg")});
    EXPECT_EQ(forma.codigo, 1);
    EXPECT_EQ(forma.saida, m_pasta.arquivo("n.tpg") +
                               "(Name Form):1:8: error: Unknown Filter \"singlar\" In The Name "
                               "Form \"pascal:singlar\" !!\n");
}

TEST(LinhaDeComando, UsageErrorsExitTwoAndHelpExitsZero) {
    EXPECT_EQ(Executa({}).codigo, 2);
    EXPECT_EQ(Executa({"frobnicate"}).codigo, 2);
    EXPECT_EQ(Executa({"dump", "--bogus", "x"}).codigo, 2);
    EXPECT_EQ(Executa({"pack", "only-input"}).codigo, 2);
    const Resultado ajuda = Executa({"--help"});
    EXPECT_EQ(ajuda.codigo, 0);
    EXPECT_NE(ajuda.saida.find("dump"), std::string::npos);
    EXPECT_EQ(Executa({"check", "--help"}).codigo, 0);
}

} // namespace
} // namespace fendril
