#include "generation/TProcessaGeracao.h"

#include "documents/TDocModelos.h"
#include "model/ArquivoTexto.h"
#include "model/TColuna.h"
#include "support/ArquivosTemporarios.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fendril {
namespace {

namespace fs = std::filesystem;

struct Col {
    std::string esquema;
    std::string tabela;
    std::string nome;
    std::string aliasTabela = "";
    bool chave = false;
    bool habilitado = true;
    std::string tipo = "int";
    std::string referida = ""; // "table.column" of a foreign key
};

class Geracao : public testing::Test {
protected:
    Geracao() { fs::create_directory(saida()); }

    std::string saida() const { return m_pasta.arquivo("out"); }
    std::string arquivoSaida(const std::string& nome) const { return saida() + "/" + nome; }

    // A mapping document of database "shop" holding the columns in order.
    std::string Mapeamento(const std::vector<Col>& colunas, bool comBase = true) {
        TArquivoKMF documento;
        documento.cabecalho = "tester";
        if (comBase) {
            documento.AdicionaEntrada("descricao", "combo_basedados", "shop");
        }
        for (const Col& c : colunas) {
            TColuna coluna;
            coluna.getTabela().esquema = c.esquema;
            coluna.getTabela().nome = c.tabela;
            coluna.getTabela().alias = c.aliasTabela;
            coluna.nome = c.nome;
            coluna.setChavePrimaria(c.chave ? 1 : 0);
            coluna.habilitado = c.habilitado;
            coluna.getTipoDado().nome = c.tipo;
            coluna.getTipoDado().precisaoDataHora = -1;
            if (!c.referida.empty()) {
                coluna.chaveEstrangeira = true;
                coluna.CriaColunaEstrangeira();
                const std::size_t ponto = c.referida.find('.');
                coluna.getColunaEstrangeira()->getTabela().nome = c.referida.substr(0, ponto);
                coluna.getColunaEstrangeira()->nome = c.referida.substr(ponto + 1);
            }
            documento.AdicionaLinha("tabelasecolunas", coluna.Codifica());
        }
        const std::string caminho = m_pasta.arquivo("map.kmf");
        documento.Salva(caminho);
        return caminho;
    }

    std::string ModeloTabela(const TDocModeloTabela& modelo, const std::string& nome = "t.tpt") {
        const std::string caminho = m_pasta.arquivo(nome);
        modelo.getArquivo().Salva(caminho);
        return caminho;
    }

    std::string ModeloGeral(const TDocModeloGeral& modelo, const std::string& nome = "g.tpg") {
        const std::string caminho = m_pasta.arquivo(nome);
        modelo.getArquivo().Salva(caminho);
        return caminho;
    }

    static TDocModeloTabela ModeloBasico() {
        TDocModeloTabela modelo;
        modelo.autor = "tester";
        modelo.tablePrefix = "T";
        modelo.tableExtension = "pas";
        modelo.classeObjeto = "class <tbname> <tbcount>";
        return modelo;
    }

    // A run over the mapping with the templates; answers questions from `respostas`.
    TProcessaGeracao& Run(const std::string& mapeamento, const TListaTextos& tabela,
                          const TListaTextos& gerais = {}) {
        m_processa = std::make_unique<TProcessaGeracao>();
        m_processa->caminhoMapeamento = mapeamento;
        m_processa->diretorioGeracao = saida();
        m_processa->AdicionaModelosTabela(tabela);
        m_processa->AdicionaModelosGerais(gerais);
        m_processa->perguntaSobrescrita = [this](const std::string& pergunta) {
            m_perguntas.push_back(pergunta);
            if (m_respostas.empty()) {
                return std::string();
            }
            std::string resposta = m_respostas.front();
            m_respostas.erase(m_respostas.begin());
            return resposta;
        };
        return *m_processa;
    }

    // The log's messages, without their date and time.
    TListaTextos Mensagens() const {
        TListaTextos mensagens;
        for (const std::string& linha : m_processa->getLog()) {
            mensagens.push_back(linha.substr(linha.find("]: ") + 3));
        }
        return mensagens;
    }

    std::string Conteudo(const std::string& nome) const {
        return teste::LeArquivo(arquivoSaida(nome));
    }

    teste::PastaTemporaria m_pasta;
    std::unique_ptr<TProcessaGeracao> m_processa;
    TListaTextos m_respostas;
    TListaTextos m_perguntas;
};

TEST_F(Geracao, TableClassFilesAreNamedByTableOrAlias) {
    const std::string mapa = Mapeamento({{"dbo", "Customers", "id", "Cli.Ente", true}});
    TDocModeloTabela porAlias = ModeloBasico();
    porAlias.nomeArquivo = TNomeArquivoTabela::alias;
    TProcessaGeracao& run =
        Run(mapa, {ModeloTabela(ModeloBasico()), ModeloTabela(porAlias, "alias.tpt")});
    ASSERT_TRUE(run.Prepara());
    EXPECT_EQ(run.ListaArquivos(), (TListaTextos{"TdboCustomers.pas", "TCliEnte.pas"}));
    run.Executa();
    EXPECT_EQ(Conteudo("TdboCustomers.pas"), "class dbo.Customers 1\r\n");
    EXPECT_TRUE(fs::exists(arquivoSaida("TCliEnte.pas")));
}

// The name form shapes the table part of the names, and "2" names by the alias or, where it
// is empty, by the name without schema; the list of files says what the run writes.
TEST_F(Geracao, NameFormAndNamingByAliasOrShortName) {
    const std::string mapa = Mapeamento({{"public", "order_lines", "id", "", true},
                                         {"public", "categories", "id", "Kind.Of", true},
                                         {"public", "class", "id", "", true}});
    struct Caso {
        TNomeArquivoTabela nomeArquivo;
        const char* forma;
        TListaTextos arquivos;
        TListaTextos identificadores;
        int falhas = 0;
    };
    const Caso casos[] = {
        {TNomeArquivoTabela::aliasOuNomeCurto,
         "pascal:singular",
         {"TOrderLine.h", "TKindOf.h", "TClass.h"},
         {"order_lines", "Kind.Of", "class"}},
        {TNomeArquivoTabela::nome,
         "snake:upper",
         {"TPUBLIC_ORDER_LINES.h", "TPUBLIC_CATEGORIES.h", "TPUBLIC_CLASS.h"},
         {"public.order_lines", "public.categories", "public.class"}},
        {TNomeArquivoTabela::aliasOuNomeCurto,
         "ident",
         {"Torder_lines.h", "TKind_Of.h", "Tclass_.h"},
         {"order_lines", "Kind.Of", "class"}},
        // The two tables without an alias both name "T.h": the second is not written.
        {TNomeArquivoTabela::alias, "kebab", {"Tkind-of.h"}, {"", "Kind.Of", ""}, 1},
        {TNomeArquivoTabela::aliasOuNomeCurto,
         "",
         {"Torder_lines.h", "TKindOf.h", "Tclass.h"},
         {"order_lines", "Kind.Of", "class"}},
    };
    for (const Caso& caso : casos) {
        fs::remove_all(saida());
        fs::create_directory(saida());
        TDocModeloTabela modelo = ModeloBasico();
        modelo.tableExtension = "h";
        modelo.classeObjeto = "<tbshortname>";
        modelo.nomeArquivo = caso.nomeArquivo;
        modelo.formaNome = caso.forma;
        modelo.palavrasReservadas = "class\r\nstruct";
        TProcessaGeracao& run = Run(mapa, {ModeloTabela(modelo)});
        TListaTextos identificadores;
        run.eventoTabela = [&](const std::string& tabela, const std::string&, int) {
            identificadores.push_back(tabela);
        };
        ASSERT_TRUE(run.Prepara());
        EXPECT_EQ(run.ListaArquivos(), caso.arquivos) << caso.forma;
        run.Executa();
        EXPECT_EQ(identificadores, caso.identificadores) << caso.forma;
        for (const std::string& arquivo : caso.arquivos) {
            EXPECT_TRUE(fs::exists(arquivoSaida(arquivo))) << arquivo;
        }
        EXPECT_EQ(run.falhas(), caso.falhas) << ::testing::PrintToString(run.getLog());
    }
}

// A general template written one file per table names its files the same way.
TEST_F(Geracao, GeneralTemplatesTakeTheNameFormToo) {
    const std::string mapa =
        Mapeamento({{"public", "order_lines", "id", "", true}, {"", "Order Details", "x"}});
    TDocModeloGeral modelo;
    modelo.classeObjeto = "<tbname>";
    modelo.tableSufix = "Model";
    modelo.makeExtension = "ts";
    modelo.nomeArquivo = TNomeArquivoTabela::aliasOuNomeCurto;
    modelo.formaNome = "camel";
    TProcessaGeracao& run = Run(mapa, {}, {ModeloGeral(modelo)});
    ASSERT_TRUE(run.Prepara());
    EXPECT_EQ(run.ListaArquivos(), (TListaTextos{"orderLinesModel.ts", "orderDetailsModel.ts"}));
    run.Executa();
    EXPECT_EQ(Conteudo("orderLinesModel.ts"), "public.order_lines\r\n");
}

// The reserved words reach "ident" in the three texts of a table-class template.
TEST_F(Geracao, ReservedWordsReachEveryTextOfTheTemplate) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.classeObjeto = "<simplecol><colname:ident> </simplecol>";
    modelo.parentClass = "Base";
    modelo.parExtension = "pas";
    modelo.classePai = "<rctable><simplecol><colname:ident> </simplecol></rctable>";
    modelo.makePrefix = "build";
    modelo.makeExtension = "mk";
    modelo.make = "<rctable><tbname:ident></rctable>";
    modelo.palavrasReservadas = "class\r\ndefault\r\nnew";
    TProcessaGeracao& run =
        Run(Mapeamento({{"", "new", "class"}, {"", "new", "default"}, {"", "new", "value"}}),
            {ModeloTabela(modelo)});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(Conteudo("Tnew.pas"), "class_ default_ value \r\n");
    EXPECT_EQ(Conteudo("Base.pas"), "class_ default_ value \r\n");
    EXPECT_EQ(Conteudo("build.mk"), "new_\r\n");
}

// A name form with an unknown filter writes no per-table file (names other than the
// template says would be worse); the template's other files are still written.
TEST_F(Geracao, AnUnknownFilterInTheNameFormIsAFailure) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.formaNome = "pascal:singlar";
    modelo.parentClass = "Base";
    modelo.parExtension = "pas";
    modelo.classePai = "base";
    const std::string caminho = ModeloTabela(modelo);
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {caminho});
    ASSERT_TRUE(run.Prepara());
    EXPECT_EQ(run.ListaArquivos(), (TListaTextos{"Base.pas"}));
    run.Executa();
    EXPECT_EQ(run.escritos(), 1);
    EXPECT_EQ(run.falhas(), 1);
    const TListaTextos mensagens = Mensagens();
    EXPECT_NE(std::find(mensagens.begin(), mensagens.end(),
                        caminho + " -> Unknown Filter \"singlar\" In The Name Form "
                                  "\"pascal:singlar\" !!"),
              mensagens.end());
}

TEST_F(Geracao, EmptyMakeAndParentFileNamesWriteNothing) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.parentClass = "Base";
    modelo.classeObjeto = "class <tbname> : <parentclass>";
    modelo.classePai = "never written";
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {ModeloTabela(modelo)});
    ASSERT_TRUE(run.Prepara());
    EXPECT_EQ(run.ListaArquivos(), (TListaTextos{"Ta.pas"}));
    run.Executa();
    EXPECT_EQ(Conteudo("Ta.pas"), "class a : Base\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(saida()), fs::directory_iterator()), 3)
        << "Ta.pas, log.txt and the kept-content folder only";
    EXPECT_TRUE(fs::is_directory(arquivoSaida(".fendril")));
}

TEST_F(Geracao, DisabledTablesGetNoFileAndDoNotCount) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.parentClass = "Base";
    modelo.parExtension = "pas";
    modelo.classePai = "tables: <tbcount><rctable> <tbname></rctable>";
    modelo.makePrefix = "build";
    modelo.makeExtension = "mk";
    modelo.make = "<rctable><tbname>.o </rctable>";
    const std::string mapa = Mapeamento({{"", "a", "x"},
                                         {"", "b", "y"},
                                         {"", "c", "z", "", false, false},
                                         {"", "a", "w", "", false, false}});
    TProcessaGeracao& run = Run(mapa, {ModeloTabela(modelo)});
    ASSERT_TRUE(run.Prepara());
    EXPECT_EQ(run.ListaArquivos(), (TListaTextos{"Ta.pas", "Tb.pas", "Base.pas", "build.mk"}));
    run.Executa();
    EXPECT_EQ(Conteudo("Base.pas"), "tables: 2 a b\r\n");
    EXPECT_EQ(Conteudo("build.mk"), "a.o b.o \r\n");
    EXPECT_FALSE(fs::exists(arquivoSaida("Tc.pas")));
    EXPECT_EQ(run.escritos(), 4);
}

TEST_F(Geracao, OverwriteAnswersLastForTheWholeRun) {
    const std::string mapa = Mapeamento({{"", "a", "x"}, {"", "b", "y"}, {"", "c", "z"}});
    const std::string modelo = ModeloTabela(ModeloBasico());
    TDocModeloTabela outro = ModeloBasico();
    outro.tablePrefix = "U";
    const std::string segundo = ModeloTabela(outro, "u.tpt");
    struct Caso {
        TListaTextos respostas;
        int perguntas;
        int escritos;
    };
    // Each run writes three files of each template; they exist from an earlier run.
    for (const Caso& caso : {Caso{{"mr_yesall"}, 1, 6}, Caso{{"mr_noall"}, 1, 0},
                             Caso{{"mr_yes", "mr_no", "mr_yes", "mr_no", "", "mr_yes"}, 6, 3}}) {
        for (const char* nome : {"Ta.pas", "Tb.pas", "Tc.pas", "Ua.pas", "Ub.pas", "Uc.pas"}) {
            teste::EscreveArquivo(arquivoSaida(nome), "old");
        }
        m_respostas = caso.respostas;
        m_perguntas.clear();
        TProcessaGeracao& run = Run(mapa, {modelo, segundo});
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        EXPECT_EQ(static_cast<int>(m_perguntas.size()), caso.perguntas);
        EXPECT_EQ(run.escritos(), caso.escritos);
        EXPECT_EQ(m_perguntas.front(), "Overwrite \"Ta.pas\" ?");
    }
}

TEST_F(Geracao, NoToAllStillWritesNewFiles) {
    const std::string mapa = Mapeamento({{"", "a", "x"}, {"", "b", "y"}});
    teste::EscreveArquivo(arquivoSaida("Ta.pas"), "old");
    m_respostas = {"mr_noall"};
    TProcessaGeracao& run = Run(mapa, {ModeloTabela(ModeloBasico())});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(Conteudo("Ta.pas"), "old");
    EXPECT_TRUE(fs::exists(arquivoSaida("Tb.pas")));
    EXPECT_EQ(run.pulados(), 1);
}

TEST_F(Geracao, CrossedTagsSkipOnlyTheTableClassFiles) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.classeObjeto = "<simplecol><prkcol></simplecol></prkcol>";
    modelo.parentClass = "Base";
    modelo.parExtension = "pas";
    modelo.classePai = "parent";
    modelo.makePrefix = "m";
    modelo.make = "make";
    const std::string caminho = ModeloTabela(modelo);
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {caminho});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    const TListaTextos log = Mensagens();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0], "Loading Template " + caminho + " -> OK");
    EXPECT_EQ(log[1], caminho + "(Table Class) -> Syntax Error: Crossed Tags Present ");
    EXPECT_EQ(log[2], "File " + arquivoSaida("Base.pas") + " -> OK");
    EXPECT_EQ(log[3], "File " + arquivoSaida("m.") + " -> OK");
    EXPECT_FALSE(fs::exists(arquivoSaida("Ta.pas")));
    EXPECT_EQ(run.falhas(), 1);
}

// A template lacking the text of one of its outputs skips that output only, and the log
// names the missing entry.
TEST_F(Geracao, MissingCodeTextSkipsItsOutputAndNamesTheEntry) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.makePrefix = "m";
    TArquivoKMF documento = modelo.getArquivo();
    TListaTextos& linhas = documento.getLinhas();
    linhas.erase(std::find(linhas.begin(), linhas.end(), "codigo||re_make||||"));
    const std::string caminho = m_pasta.arquivo("t.tpt");
    documento.Salva(caminho);
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {caminho});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(Mensagens(),
              (TListaTextos{
                  "Loading Template " + caminho + " -> OK",
                  "File " + arquivoSaida("Ta.pas") + " -> OK",
                  caminho + "(Make File) -> List index out of bounds (0): codigo||re_make",
              }));
    EXPECT_EQ(run.falhas(), 1);
}

TEST_F(Geracao, GeneralTemplateTypesFileRules) {
    const std::string mapa = Mapeamento({{"", "a", "x"}});
    TDocModeloGeral modelo;
    modelo.arquivoUnico = 1;
    modelo.makePrefix = "all";
    modelo.makeExtension = "txt";
    modelo.classeObjeto = "<rctable><simplecol>[<colvartype>]</simplecol></rctable>";

    struct Caso {
        std::string conteudo; // of the types file; "-" for no file
        std::string nome;
        TListaTextos linhasTipos;
        std::string saida;
    };
    const std::string tipos = m_pasta.arquivo("types.txt");
    for (const Caso& caso : {
             Caso{"int;integer;0;\nfloat;double;0.0;\n",
                  tipos,
                  {"Types File " + tipos + " -> OK"},
                  "[integer]\r\n"},
             Caso{"int;integer;0;\n\nfloat;double;0.0;\n",
                  tipos,
                  {"Types File " + tipos + " -> OK", "The File \"" + tipos + "\" Is Not Valid !!"},
                  "[]\r\n"},
             Caso{"int;integer;0\n",
                  tipos,
                  {"Types File " + tipos + " -> OK", "The File \"" + tipos + "\" Is Not Valid !!"},
                  "[]\r\n"},
             Caso{"-", tipos, {"The File \"" + tipos + "\" Does Not Exist !!"}, "[]\r\n"},
             Caso{"-", "", {"No Types File Specified !!"}, "[]\r\n"},
         }) {
        fs::remove(tipos);
        fs::remove(arquivoSaida("all.txt"));
        if (caso.conteudo != "-") {
            teste::EscreveArquivo(tipos, caso.conteudo);
        }
        modelo.arquivoTipos = caso.nome;
        const std::string caminho = ModeloGeral(modelo);
        m_respostas = {"mr_yesall"};
        TProcessaGeracao& run = Run(mapa, {}, {caminho});
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        TListaTextos esperado = {"Loading Template " + caminho + " -> OK"};
        esperado.insert(esperado.end(), caso.linhasTipos.begin(), caso.linhasTipos.end());
        esperado.push_back("File " + arquivoSaida("all.txt") + " -> OK");
        EXPECT_EQ(Mensagens(), esperado);
        EXPECT_EQ(Conteudo("all.txt"), caso.saida);
    }
}

TEST_F(Geracao, GroupFileWithoutNameFailsAndIsLogged) {
    TDocModeloGeral modelo;
    modelo.arquivoUnico = 1;
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {}, {ModeloGeral(modelo)});
    ASSERT_TRUE(run.Prepara());
    EXPECT_EQ(run.ListaArquivos(), (TListaTextos{"."}));
    run.Executa();
    EXPECT_EQ(Mensagens().back(),
              "File " + arquivoSaida(".") + " -> The File Name Is Not Valid !!");
    EXPECT_EQ(run.falhas(), 1);
}

TEST_F(Geracao, ATableThatCannotBeExpandedEndsItsTemplatesFilesInOrder) {
    // Files are expanded ahead of their writing: what follows a failed table is still
    // neither written nor reported, and the files before it are, in order.
    const std::string longo(60, 'c');
    TProcessaGeracao& run =
        Run(Mapeamento({{"", "a", "x"}, {"", "b", "x"}, {"", longo, "x"}, {"", "d", "x"}}),
            {ModeloTabela(ModeloBasico())});
    run.limiteSaida = 40;
    std::vector<std::string> produzidos;
    run.eventoTabela = [&](const std::string&, const std::string& arquivo, int) {
        produzidos.push_back(arquivo);
    };
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(produzidos, (std::vector<std::string>{"Ta.pas", "Tb.pas"}));
    EXPECT_EQ(run.escritos(), 2);
    EXPECT_EQ(run.falhas(), 1);
    EXPECT_FALSE(fs::exists(arquivoSaida("T" + longo + ".pas")));
    EXPECT_FALSE(fs::exists(arquivoSaida("Td.pas")));
}

TEST_F(Geracao, FilesExpandedOnSeveralThreadsAreThoseMadeOneByOne) {
    // Tables of one to twelve columns, so that the blocks' conditions come out differently
    // from file to file while the threads' engines learn the template; each table's second
    // column refers to the table before it, which lists it among the columns referring to it.
    std::vector<Col> colunas;
    for (int t = 0; t < 400; ++t) {
        for (int c = 0; c <= t % 12; ++c) {
            Col coluna{"", "t" + std::to_string(t), "c" + std::to_string(c), "", c == 0};
            if (c == 1 && t > 0) {
                coluna.referida = "t" + std::to_string(t - 1) + ".c0";
            }
            colunas.push_back(coluna);
        }
    }
    const std::string mapa = Mapeamento(colunas);
    TDocModeloTabela modelo = ModeloBasico();
    modelo.classeObjeto = "class <tbname> <colcount>\r\n<prkcol>key <colname>\r\n</prkcol>"
                          "<simplecol><colname><ifnot:last>, </ifnot:last><if:last>.</if:last>"
                          "</simplecol><refcol> <reftbname></refcol>";
    const std::string caminhoModelo = ModeloTabela(modelo);
    std::vector<std::map<std::string, std::string>> saidas;
    for (const std::size_t threads : {0, 3}) {
        const std::string pasta = m_pasta.arquivo("out" + std::to_string(threads));
        fs::create_directory(pasta);
        TProcessaGeracao& run = Run(mapa, {caminhoModelo});
        run.diretorioGeracao = pasta;
        run.threadsExpansao = threads;
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        EXPECT_EQ(run.escritos(), 400);
        std::map<std::string, std::string> arquivos;
        for (const auto& entrada : fs::directory_iterator(pasta)) {
            if (entrada.is_regular_file() && entrada.path().filename() != "log.txt") {
                arquivos[entrada.path().filename().string()] = LeTextoArquivo(entrada.path());
            }
        }
        saidas.push_back(std::move(arquivos));
    }
    ASSERT_EQ(saidas[0].size(), 400u);
    EXPECT_EQ(saidas[0]["Tt3.pas"], "class t3 4\r\nkey c0\r\nc1, c2, c3. t4\r\n");
    EXPECT_EQ(saidas[1], saidas[0]);
}

TEST_F(Geracao, MissingTemplateLogsAndProducesNothing) {
    const std::string ausente = m_pasta.arquivo("missing.tpg");
    TDocModeloGeral modelo;
    modelo.arquivoUnico = 1;
    modelo.makePrefix = "x";
    const std::string presente = ModeloGeral(modelo);
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {}, {presente, ausente});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(Mensagens().back(), "File Does Not Exist: \"" + ausente + "\"");
}

TEST_F(Geracao, AFolderIsNoFile) {
    // A mapping, template or types path naming a folder does not exist; an output name equal
    // to a folder is not offered for overwriting, its writing fails. A link to a file is a
    // file.
    const std::string pasta = m_pasta.arquivo("folder");
    fs::create_directory(pasta);
    EXPECT_FALSE(Run(pasta, {}).Prepara());

    const std::string mapa = Mapeamento({{"", "a", "x"}});
    TProcessaGeracao& run = Run(mapa, {pasta}, {pasta});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(Mensagens(), (TListaTextos{"File Does Not Exist: \"" + pasta + "\"",
                                         "File Does Not Exist: \"" + pasta + "\""}));

    TDocModeloGeral modelo;
    modelo.arquivoUnico = 1;
    modelo.makePrefix = "all";
    modelo.makeExtension = "txt";
    modelo.arquivoTipos = pasta;
    fs::create_directory(arquivoSaida("all.txt"));
    const std::string geral = ModeloGeral(modelo);
    TProcessaGeracao& segunda = Run(mapa, {}, {geral});
    ASSERT_TRUE(segunda.Prepara());
    segunda.Executa();
    EXPECT_TRUE(m_perguntas.empty());
    const TListaTextos mensagens = Mensagens();
    ASSERT_EQ(mensagens.size(), 3u);
    EXPECT_EQ(mensagens[1], "The File \"" + pasta + "\" Does Not Exist !!");
    EXPECT_EQ(mensagens[2].rfind("File " + arquivoSaida("all.txt") + " -> ", 0), 0u);
    EXPECT_NE(mensagens[2], "File " + arquivoSaida("all.txt") + " -> OK");
    EXPECT_EQ(segunda.falhas(), 1);

    const std::string ligacao = m_pasta.arquivo("link.kmf");
    fs::create_symlink(mapa, ligacao);
    EXPECT_TRUE(Run(ligacao, {}).Prepara());
}

TEST_F(Geracao, EventsReportPercents) {
    const std::string mapa =
        Mapeamento({{"", "a", "x"}, {"", "b", "x"}, {"", "c", "x"}, {"", "d", "x"}});
    TProcessaGeracao& run =
        Run(mapa, {ModeloTabela(ModeloBasico()), ModeloTabela(ModeloBasico(), "2.tpt"),
                   ModeloTabela(ModeloBasico(), "3.tpt")});
    std::vector<int> modelos;
    std::vector<int> tabelas;
    TListaTextos escritos;
    run.eventoModelo = [&](const std::string&, int p, int tipo) {
        EXPECT_EQ(tipo, 1);
        modelos.push_back(p);
    };
    run.eventoTabela = [&](const std::string&, const std::string&, int p) { tabelas.push_back(p); };
    run.eventoArquivo = [&](const std::string& c) { escritos.push_back(c); };
    m_respostas = {"mr_yesall"};
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(modelos, (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(std::vector<int>(tabelas.begin(), tabelas.begin() + 4),
              (std::vector<int>{25, 50, 75, 100}));
    EXPECT_EQ(escritos.front(), arquivoSaida("Ta.pas"));
}

TEST_F(Geracao, NamesThatLeaveTheDirectoryAreRefused) {
    fs::create_directory(arquivoSaida("src"));
    fs::create_directory(m_pasta.arquivo("elsewhere"));
    fs::create_directory_symlink(m_pasta.arquivo("elsewhere"), arquivoSaida("link"));
    struct Caso {
        std::string prefixo;
        std::string alias;
        bool escrito;
    };
    for (const Caso& caso :
         {Caso{"", "../../x", false}, Caso{"/tmp/", "abs", false}, Caso{"..\\", "up", false},
          Caso{"link/", "a", false}, Caso{"src/", "ok", true}, Caso{"src\\", "ok2", true}}) {
        TDocModeloTabela modelo = ModeloBasico();
        modelo.tablePrefix = caso.prefixo;
        modelo.nomeArquivo = TNomeArquivoTabela::alias;
        TProcessaGeracao& run =
            Run(Mapeamento({{"", "t", "x", caso.alias}}), {ModeloTabela(modelo)});
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        EXPECT_EQ(run.escritos(), caso.escrito ? 1 : 0) << caso.prefixo << caso.alias;
        if (!caso.escrito) {
            EXPECT_NE(Mensagens().back().find(
                          " -> The File Name Leads Outside The Generation Directory !!"),
                      std::string::npos)
                << Mensagens().back();
        }
    }
    EXPECT_TRUE(fs::exists(arquivoSaida("src/ok.pas")));
    EXPECT_TRUE(fs::is_empty(m_pasta.arquivo("elsewhere")));
}

TEST_F(Geracao, UnloadableMappingsEndTheRunWithAMessage) {
    TProcessaGeracao& semArquivo = Run(m_pasta.arquivo("none.kmf"), {});
    EXPECT_FALSE(semArquivo.Prepara());
    EXPECT_EQ(semArquivo.erroMapeamento(),
              "File Does Not Exist: \"" + m_pasta.arquivo("none.kmf") + "\"");
    EXPECT_TRUE(semArquivo.ListaArquivos().empty());

    TProcessaGeracao& semBase = Run(Mapeamento({{"", "a", "x"}}, false), {});
    EXPECT_FALSE(semBase.Prepara());
    EXPECT_NE(semBase.erroMapeamento().find("Has No Database Name !!"), std::string::npos);

    TArquivoKMF danificado;
    danificado.AdicionaEntrada("descricao", "combo_basedados", "shop");
    danificado.AdicionaLinha("tabelasecolunas", "TColuna||broken");
    danificado.Salva(m_pasta.arquivo("bad.kmf"));
    TProcessaGeracao& ruim = Run(m_pasta.arquivo("bad.kmf"), {});
    EXPECT_FALSE(ruim.Prepara());
    EXPECT_NE(ruim.erroMapeamento().find("Could Not Be Read: "), std::string::npos);
    ruim.Executa();
    EXPECT_FALSE(fs::exists(arquivoSaida("log.txt")));
}

TEST_F(Geracao, LogFileHoldsTheRun) {
    const std::string caminho = ModeloTabela(ModeloBasico());
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {caminho});
    ASSERT_TRUE(run.Prepara());
    run.ListaArquivos();
    run.Executa();
    const TListaTextos log = LeLinhasTexto(arquivoSaida("log.txt"));
    ASSERT_EQ(log.size(), 2u) << "the listing's own log lines are discarded";
    EXPECT_EQ(log[0].front(), '[');
    EXPECT_NE(log[1].find("]: File " + arquivoSaida("Ta.pas") + " -> OK"), std::string::npos);
}

TEST_F(Geracao, MalformedTemplatesAreLoggedCountedAndTheRunGoesOn) {
    // A types row without a value and a bare codigo line: lines no window writes.
    TArquivoKMF semValor = ModeloBasico().getArquivo();
    semValor.getLinhas().push_back("tb_tipos||tipos");
    semValor.Salva(m_pasta.arquivo("novalue.tpt"));
    TArquivoKMF linhaNua = ModeloBasico().getArquivo();
    linhaNua.getLinhas().push_back("codigo");
    linhaNua.Salva(m_pasta.arquivo("bare.tpt"));
    TDocModeloGeral geral;
    geral.arquivoUnico = 1;
    geral.makePrefix = "all";
    TArquivoKMF geralNu = geral.getArquivo();
    geralNu.getLinhas().insert(geralNu.getLinhas().begin(), "codigo");
    geralNu.Salva(m_pasta.arquivo("bare.tpg"));
    TDocModeloTabela boa = ModeloBasico();
    boa.tablePrefix = "Good";

    TProcessaGeracao& run =
        Run(Mapeamento({{"", "a", "x"}}),
            {m_pasta.arquivo("novalue.tpt"), m_pasta.arquivo("bare.tpt"), ModeloTabela(boa)},
            {m_pasta.arquivo("bare.tpg")});
    ASSERT_TRUE(run.Prepara());
    run.ListaArquivos();
    run.Executa();
    EXPECT_EQ(run.falhas(), 3);
    EXPECT_EQ(run.escritos(), 1);
    EXPECT_TRUE(fs::exists(arquivoSaida("Gooda.pas")));
    const TListaTextos& falhas = run.getFalhas();
    ASSERT_EQ(falhas.size(), 3u);
    EXPECT_NE(falhas[0].find("]: " + m_pasta.arquivo("novalue.tpt") +
                             " -> A Line Of Section tb_tipos Has No Key Or No Value !!"),
              std::string::npos)
        << falhas[0];
    EXPECT_NE(falhas[1].find("]: Loading Template " + m_pasta.arquivo("bare.tpt") +
                             " -> A Line Of Section codigo Has No Key Or No Value !!"),
              std::string::npos)
        << falhas[1];
    EXPECT_NE(falhas[2].find(m_pasta.arquivo("bare.tpg")), std::string::npos) << falhas[2];
}

TEST_F(Geracao, TemplatesThatCannotBeLoadedOrAreOfAnotherKindFail) {
    const std::string mapa = Mapeamento({{"", "a", "x"}});
    const std::string tabela = ModeloTabela(ModeloBasico());
    TDocModeloGeral modeloGeral;
    modeloGeral.arquivoUnico = 1;
    modeloGeral.makePrefix = "all";
    const std::string geral = ModeloGeral(modeloGeral);
    const std::string tubo = m_pasta.arquivo("pipe.tpt");
    ASSERT_EQ(::mkfifo(tubo.c_str(), 0600), 0);
    const std::string ausente = m_pasta.arquivo("missing.tpt");
    struct Caso {
        std::string caminho;
        bool comoGeral;
        std::string motivo;
    };
    for (const Caso& caso : {
             Caso{ausente, false, "File Does Not Exist: \"" + ausente + "\""},
             // A folder and a pipe are no files.
             Caso{m_pasta.arquivo("out"), false,
                  "File Does Not Exist: \"" + m_pasta.arquivo("out") + "\""},
             Caso{tubo, false, "File Does Not Exist: \"" + tubo + "\""},
             Caso{mapa, false, "The File Is Not A Table-Class Template !!"},
             Caso{geral, false, "The File Is Not A Table-Class Template !!"},
             Caso{tabela, true, "The File Is Not A General Template !!"},
         }) {
        TProcessaGeracao& run =
            caso.comoGeral ? Run(mapa, {}, {caso.caminho}) : Run(mapa, {caso.caminho});
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        EXPECT_EQ(run.falhas(), 1) << caso.caminho;
        EXPECT_EQ(run.escritos(), 0);
        ASSERT_EQ(run.getFalhas().size(), 1u);
        EXPECT_NE(run.getFalhas().front().find(caso.motivo), std::string::npos)
            << run.getFalhas().front();
    }
}

TEST_F(Geracao, LinksOutOfTheGenerationDirectoryAreNeverFollowed) {
    const std::string fora = m_pasta.arquivo("outside.txt");
    teste::EscreveArquivo(fora, "precious");
    fs::create_symlink(fora, arquivoSaida("log.txt"));
    fs::create_symlink(fora, arquivoSaida("Ta.pas"));
    fs::create_symlink("../outside.txt", arquivoSaida("Tb.pas"));
    teste::EscreveArquivo(arquivoSaida("inside.txt"), "mine");
    fs::create_symlink("inside.txt", arquivoSaida("Tc.pas"));
    m_respostas = {"mr_yesall"};
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}, {"", "b", "x"}, {"", "c", "x"}}),
                                {ModeloTabela(ModeloBasico())});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(teste::LeArquivo(fora), "precious");
    EXPECT_EQ(run.falhas(), 2);
    for (const char* nome : {"Ta.pas", "Tb.pas"}) {
        EXPECT_NE(Mensagens().end(),
                  std::find(Mensagens().begin(), Mensagens().end(),
                            "File " + arquivoSaida(nome) +
                                " -> The File Name Leads Outside The Generation Directory !!"))
            << nome;
    }
    EXPECT_EQ(teste::LeArquivo(arquivoSaida("inside.txt")), "class c 1\r\n")
        << "a link within the directory is followed";
    EXPECT_FALSE(fs::is_symlink(arquivoSaida("log.txt")));
    EXPECT_NE(teste::LeArquivo(arquivoSaida("log.txt")).find("-> OK"), std::string::npos);
}

TEST_F(Geracao, APipeNamedLogTxtIsReplacedWithoutWaiting) {
    ASSERT_EQ(::mkfifo(arquivoSaida("log.txt").c_str(), 0600), 0);
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {ModeloTabela(ModeloBasico())});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_TRUE(fs::is_regular_file(arquivoSaida("log.txt")));
    EXPECT_EQ(LeLinhasTexto(arquivoSaida("log.txt")).size(), 2u);
}

TEST_F(Geracao, LogLinesEscapeControlCharactersOfNames) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.nomeArquivo = TNomeArquivoTabela::alias;
    TProcessaGeracao& run =
        Run(Mapeamento({{"", "a", "x", "q\r\n[2026-01-01;00:00:00]: File forged -> OK"}}),
            {ModeloTabela(modelo)});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    const TListaTextos log = LeLinhasTexto(arquivoSaida("log.txt"));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_NE(log[1].find("Tq\\r\\n[2026-01-01;00:00:00]: File forged -> OK.pas -> "),
              std::string::npos)
        << log[1];
}

TEST_F(Geracao, TablesHiddenByLetterCaseAreLogged) {
    TProcessaGeracao& run = Run(Mapeamento({{"public", "Users", "id"},
                                            {"public", "users", "id"},
                                            {"public", "USERS", "id", "", false, false}}),
                                {ModeloTabela(ModeloBasico())});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_EQ(run.escritos(), 1);
    EXPECT_EQ(Mensagens().front(), "Table \"public.users\" Is Left Out: Its Name Differs From "
                                   "\"public.Users\" Only In Letter Case");
    EXPECT_EQ(Mensagens()[1].find("Table "), std::string::npos)
        << "a table without enabled columns takes no part anyway";
}

TEST_F(Geracao, TemporaryFilesOfEndedRunsAreRemoved) {
    const pid_t filho = ::fork();
    if (filho == 0) {
        ::_exit(0);
    }
    ::waitpid(filho, nullptr, 0);
    const std::string abandonado =
        arquivoSaida("Ta.pas.fendril-tmp-" + std::to_string(filho) + "-abc123");
    teste::EscreveArquivo(abandonado, "half");
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}}), {ModeloTabela(ModeloBasico())});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    EXPECT_FALSE(fs::exists(abandonado));
    EXPECT_TRUE(fs::exists(arquivoSaida("Ta.pas")));
}

TEST_F(Geracao, AMappingLineThatDoesNotDecodeIsNamed) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("descricao", "combo_basedados", "shop");
    TColuna coluna;
    coluna.nome = "id";
    coluna.getTabela().nome = "orders";
    documento.AdicionaLinha("tabelasecolunas", coluna.Codifica());
    std::string ruim = coluna.Codifica();
    ruim.replace(ruim.find("=>0=>0=>"), 8, "=>z=>0=>");
    documento.AdicionaLinha("tabelasecolunas", ruim);
    documento.Salva(m_pasta.arquivo("bad.kmf"));
    TProcessaGeracao& run = Run(m_pasta.arquivo("bad.kmf"), {});
    EXPECT_FALSE(run.Prepara());
    EXPECT_NE(run.erroMapeamento().find("Could Not Be Read: Line 3 Of The Mapping (Table "
                                        "\"orders\", Column \"id\") Could Not Be Read: "),
              std::string::npos)
        << run.erroMapeamento();
}

// Two outputs of one run never share a path: the first is written, each later one fails,
// is reported as colliding and is named in the log with the first.
TEST_F(Geracao, OutputsThatShareAPathCollide) {
    TDocModeloTabela porAlias = ModeloBasico();
    porAlias.nomeArquivo = TNomeArquivoTabela::alias;
    TDocModeloTabela comMake = ModeloBasico();
    comMake.makePrefix = "Ta";
    comMake.makeExtension = "pas";
    comMake.make = "make";
    TDocModeloTabela diario = ModeloBasico();
    diario.tablePrefix = "";
    diario.tableExtension = "txt";
    diario.nomeArquivo = TNomeArquivoTabela::alias;
    TDocModeloTabela guardados = ModeloBasico();
    guardados.tablePrefix = ".fendril/";
    struct Caso {
        const char* nome;
        std::vector<Col> colunas;
        TDocModeloTabela modelo;
        std::optional<bool> ignoraCaixa;
        int escritos;
        TListaTextos colidentes; // the second name of each collision
    };
    for (const Caso& caso : {
             Caso{"empty aliases",
                  {{"", "a", "x"}, {"", "b", "x"}, {"", "c", "x"}},
                  porAlias,
                  false,
                  1,
                  {"T.pas", "T.pas"}},
             Caso{"one table name in two schemas",
                  {{"sales", "users", "x", "users"}, {"audit", "users", "x", "users"}},
                  porAlias,
                  false,
                  1,
                  {"Tusers.pas"}},
             Caso{"a make file named like a class file",
                  {{"", "a", "x"}},
                  comMake,
                  false,
                  1,
                  {"Ta.pas"}},
             Caso{"letter case, where the file system ignores it",
                  {{"", "u1", "x", "Users"}, {"", "u2", "y", "users"}},
                  porAlias,
                  true,
                  1,
                  {"Tusers.pas"}},
             Caso{"letter case, where it counts",
                  {{"", "u1", "x", "Users"}, {"", "u2", "y", "users"}},
                  porAlias,
                  false,
                  2,
                  {}},
             Caso{"the run's log", {{"", "a", "x", "log"}}, diario, false, 0, {"log.txt"}},
         }) {
        SCOPED_TRACE(caso.nome);
        fs::remove_all(saida());
        fs::create_directory(saida());
        const std::string modelo = ModeloTabela(caso.modelo);
        TProcessaGeracao& run = Run(Mapeamento(caso.colunas), {modelo});
        run.ignoraCaixa = caso.ignoraCaixa;
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        EXPECT_EQ(run.escritos(), caso.escritos);
        EXPECT_EQ(run.falhas(), static_cast<int>(caso.colidentes.size()));
        TListaTextos colidentes;
        for (const TArquivoGerado& arquivo : run.getArquivos()) {
            if (arquivo.situacao == TSituacaoArquivo::Colidente) {
                colidentes.push_back(arquivo.nome);
            }
        }
        EXPECT_EQ(colidentes, caso.colidentes);
        for (const std::string& falha : run.getFalhas()) {
            EXPECT_NE(falha.find(" Both Name This File; Only The First Is Written !!"),
                      std::string::npos)
                << falha;
        }
        EXPECT_TRUE(fs::exists(arquivoSaida("log.txt")));
    }
    const std::string modelo = ModeloTabela(porAlias);
    TProcessaGeracao& run = Run(Mapeamento({{"", "a", "x"}, {"", "b", "x"}}), {modelo});
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    ASSERT_EQ(run.getFalhas().size(), 1u);
    EXPECT_NE(run.getFalhas()[0].find("]: File " + arquivoSaida("T.pas") +
                                      " -> Not Written: Table \"b\" Of Template " + modelo +
                                      " And Table \"a\" Of Template " + modelo + " Both Name"),
              std::string::npos)
        << run.getFalhas()[0];
    EXPECT_EQ(Conteudo("T.pas"), "class a 1\r\n");

    // The kept-content folder takes no generated file.
    TProcessaGeracao& reservado =
        Run(Mapeamento({{"", "a", "x"}}), {ModeloTabela(guardados, "kept.tpt")});
    ASSERT_TRUE(reservado.Prepara());
    reservado.Executa();
    EXPECT_EQ(reservado.falhas(), 1);
    EXPECT_NE(reservado.getFalhas()[0].find("The Folder .fendril Keeps What The Runs Generated"),
              std::string::npos);
}

// A simulation renders every output and tells each one's situation, and writes nothing at
// all: no file, no kept content, no log, and no temporary file of an ended run removed.
TEST_F(Geracao, ASimulationWritesNothing) {
    const std::string mapa = Mapeamento({{"", "a", "x"}, {"", "b", "x"}, {"", "c", "x"}});
    const std::string modelo = ModeloTabela(ModeloBasico());
    TProcessaGeracao& primeira = Run(mapa, {modelo});
    ASSERT_TRUE(primeira.Prepara());
    primeira.Executa();
    teste::EscreveArquivo(arquivoSaida("Tb.pas"), "class b 1\r\nmine\r\n");
    fs::remove(arquivoSaida("Tc.pas"));
    fs::remove(arquivoSaida(".fendril/Tc.pas"));
    teste::EscreveArquivo(arquivoSaida(".fendril/Ta.pas"), "older\r\n");
    teste::EscreveArquivo(arquivoSaida("Ta.pas"), "older\r\n");
    fs::remove(arquivoSaida("log.txt"));
    const std::string abandonado = arquivoSaida("Ta.pas.fendril-tmp-999999-abc123");
    teste::EscreveArquivo(abandonado, "half");
    const auto antes = fs::last_write_time(arquivoSaida("Ta.pas"));

    TProcessaGeracao& run = Run(mapa, {modelo});
    run.simulacao = true;
    run.guardaConteudos = true;
    ASSERT_TRUE(run.Prepara());
    run.Executa();
    ASSERT_EQ(run.getArquivos().size(), 3u);
    EXPECT_EQ(run.getArquivos()[0].situacao, TSituacaoArquivo::Alterado);
    EXPECT_EQ(run.getArquivos()[0].anterior, "older\r\n");
    EXPECT_EQ(run.getArquivos()[0].novo, "class a 1\r\n");
    EXPECT_EQ(run.getArquivos()[1].situacao, TSituacaoArquivo::EditadoAMao);
    EXPECT_EQ(run.getArquivos()[2].situacao, TSituacaoArquivo::Novo);
    EXPECT_FALSE(run.getArquivos()[2].existia);
    EXPECT_TRUE(m_perguntas.empty());
    EXPECT_FALSE(fs::exists(arquivoSaida("Tc.pas")));
    EXPECT_FALSE(fs::exists(arquivoSaida(".fendril/Tc.pas")));
    EXPECT_FALSE(fs::exists(arquivoSaida("log.txt")));
    EXPECT_TRUE(fs::exists(abandonado));
    EXPECT_EQ(fs::last_write_time(arquivoSaida("Ta.pas")), antes);
}

// The merge answers: a file edited by hand gets the edits merged; a file nobody edited is
// replaced; a file without kept content is asked about (Merge is not offered for it) and
// kept when Merge is answered anyway.
TEST_F(Geracao, MergeAnswersKeepHandEdits) {
    TDocModeloTabela modelo = ModeloBasico();
    modelo.classeObjeto = "class <tbname>\r\n{\r\n<simplecol>  <colname>\r\n</simplecol>}";
    const std::vector<Col> antes = {{"", "a", "id", "", true}, {"", "a", "x"},
                                    {"", "b", "id", "", true}, {"", "b", "x"},
                                    {"", "c", "id", "", true}, {"", "c", "x"}};
    std::vector<Col> depois = antes;
    for (const char* tabela : {"a", "b", "c"}) {
        depois.push_back({"", tabela, "y"});
    }
    const std::string caminho = ModeloTabela(modelo);
    struct Caso {
        const char* nome;
        bool fundeEdicoes;
        TListaTextos respostas;
        TListaTextos perguntas;       // the files asked about
        std::vector<bool> podeFundir; // for each question
        TSituacaoArquivo a, b, c;
    };
    for (const Caso& caso : {
             Caso{"Merge, then Merge for a file without kept content",
                  false,
                  {"mr_merge", "mr_no", "mr_merge"},
                  {"Ta.pas", "Tb.pas", "Tc.pas"},
                  {true, true, false},
                  TSituacaoArquivo::Fundido,
                  TSituacaoArquivo::Pulado,
                  TSituacaoArquivo::Pulado},
             Caso{"Merge All",
                  false,
                  {"mr_mergeall", "mr_yes"},
                  {"Ta.pas", "Tc.pas"},
                  {true, false},
                  TSituacaoArquivo::Fundido,
                  TSituacaoArquivo::Escrito,
                  TSituacaoArquivo::Escrito},
             Caso{"Merge hand edits",
                  true,
                  {"mr_no"},
                  {"Tc.pas"},
                  {false},
                  TSituacaoArquivo::Fundido,
                  TSituacaoArquivo::Escrito,
                  TSituacaoArquivo::Pulado},
         }) {
        SCOPED_TRACE(caso.nome);
        fs::remove_all(saida());
        fs::create_directory(saida());
        m_respostas = {};
        TProcessaGeracao& primeira = Run(Mapeamento(antes), {caminho});
        ASSERT_TRUE(primeira.Prepara());
        primeira.Executa();
        // Ta.pas edited by hand, Tb.pas not, Tc.pas generated before kept contents existed.
        teste::EscreveArquivo(arquivoSaida("Ta.pas"), "// mine\r\n" + Conteudo("Ta.pas"));
        fs::remove(arquivoSaida(".fendril/Tc.pas"));

        m_respostas = caso.respostas;
        m_perguntas.clear();
        std::vector<bool> podeFundir;
        TProcessaGeracao& run = Run(Mapeamento(depois), {caminho});
        run.fundeEdicoes = caso.fundeEdicoes;
        const auto pergunta = run.perguntaSobrescrita;
        run.perguntaSobrescrita = [&](const std::string& texto) {
            podeFundir.push_back(run.podeFundir());
            return pergunta(texto);
        };
        ASSERT_TRUE(run.Prepara());
        run.Executa();
        TListaTextos perguntas;
        for (const std::string& nome : caso.perguntas) {
            perguntas.push_back("Overwrite \"" + nome + "\" ?");
        }
        EXPECT_EQ(m_perguntas, perguntas);
        EXPECT_EQ(podeFundir, caso.podeFundir);
        ASSERT_EQ(run.getArquivos().size(), 3u);
        EXPECT_EQ(run.getArquivos()[0].situacao, caso.a);
        EXPECT_EQ(run.getArquivos()[1].situacao, caso.b);
        EXPECT_EQ(run.getArquivos()[2].situacao, caso.c);
        EXPECT_EQ(Conteudo("Ta.pas"), "// mine\r\nclass a\r\n{\r\n  x\r\n  y\r\n}\r\n");
        EXPECT_EQ(Conteudo(".fendril/Ta.pas"), "class a\r\n{\r\n  x\r\n  y\r\n}\r\n");
        EXPECT_EQ(run.fundidos(), 1);
        if (caso.c == TSituacaoArquivo::Pulado && caso.respostas.back() == "mr_merge") {
            EXPECT_EQ(Mensagens().back(), "File " + arquivoSaida("Tc.pas") +
                                              " -> Kept As It Is: No Generated Content Was Kept "
                                              "For It To Merge With");
        }
    }
}

} // namespace
} // namespace fendril
