#include "documents/TArquivoKMF.h"

#include "documents/Embaralhamento.h"
#include "documents/TBlowfish.h"
#include "support/ArquivosTemporarios.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <set>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fendril {
namespace {

namespace fs = std::filesystem;
using teste::EscreveArquivo;
using teste::LeArquivo;
using teste::PastaTemporaria;

// The escape byte, spelled out so that it never runs into a following hex digit.
const std::string Esc(1, '\x1B');

// The bytes of a stored document: each line followed by CR LF.
std::string ComoArquivo(const TListaTextos& linhas) {
    std::string conteudo;
    for (const std::string& linha : linhas) {
        conteudo += linha + "\r\n";
    }
    return conteudo;
}

std::set<std::string> NomesEm(const fs::path& pasta) {
    std::set<std::string> nomes;
    for (const auto& entrada : fs::directory_iterator(pasta)) {
        nomes.insert(entrada.path().filename().string());
    }
    return nomes;
}

TArquivoKMF Reaberto(const TArquivoKMF& documento, const PastaTemporaria& pasta) {
    TArquivoKMF copia = documento;
    const std::string caminho = pasta.arquivo("reaberto.kmf");
    copia.Salva(caminho);
    TArquivoKMF lido;
    lido.Abre(caminho);
    return lido;
}

TEST(TArquivoKMF, NewDocumentIsEmpty) {
    const TArquivoKMF documento;
    EXPECT_TRUE(documento.getLinhas().empty());
    EXPECT_EQ(documento.cabecalho, "");
}

TEST(TArquivoKMF, EntryAndLineForms) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("descricao", "Edit_nome", "Orders");
    documento.AdicionaEntrada("descricao", "memo", "");
    documento.AdicionaLinha("tabelasecolunas", "TColuna||ID=>|>");
    EXPECT_EQ(documento.getLinhas(),
              (TListaTextos{"descricao||Edit_nome||Orders||", "descricao||memo||||",
                            "tabelasecolunas||TColuna||ID=>|>"}));
}

TEST(LeSecao, OneValueComesBack) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("descricao", "Edit_nome", "Orders");
    EXPECT_EQ(documento.LeSecao("descricao", "Edit_nome", false), TListaTextos{"Orders"});
    EXPECT_TRUE(documento.LeSecao("descricao", "Edit_autor", false).empty());
}

// The list's own failure names the entry the document lacks.
TEST(LePrimeiro, MissingKeyNamesItsSectionAndKey) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("descricao", "Edit_nome", "Orders");
    EXPECT_EQ(documento.LePrimeiro("descricao", "Edit_nome"), "Orders");
    try {
        documento.LePrimeiro("descricao", "Edit_autor");
        FAIL() << "a missing key was read";
    } catch (const EListError& erro) {
        EXPECT_EQ(std::string(erro.what()), "List index out of bounds (0): descricao||Edit_autor");
    }
}

TEST(LeSecao, EmptyValueIsOneEmptyText) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", "");
    EXPECT_EQ(documento.getLinhas()[0], "s||k||||");
    EXPECT_EQ(documento.LeSecao("s", "k", false), TListaTextos{""});
}

TEST(LeSecao, EmptySectionAndKeyMatchEveryLine) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("a", "k1", "v1");
    documento.AdicionaEntrada("b", "k2", "v2");
    documento.AdicionaEntrada("a", "k3", "");
    EXPECT_EQ(documento.LeSecao("", "", false), (TListaTextos{"v1", "v2", ""}));
    EXPECT_EQ(documento.LeSecao("a", "", false), (TListaTextos{"v1", ""}));
    EXPECT_EQ(documento.LeSecao("", "k2", false), TListaTextos{"v2"});
}

TEST(LeSecao, RestGivesTheDataOfALineBack) {
    TArquivoKMF documento;
    const std::string dados = "TColuna||ID=>1=>|>TTabela||x=>|>";
    documento.AdicionaLinha("tabelasecolunas", dados);
    documento.AdicionaEntrada("descricao", "Edit_nome", "Orders");
    EXPECT_EQ(documento.LeSecao("tabelasecolunas", "", true), TListaTextos{dados + "||"});
    EXPECT_EQ(documento.LeSecao("descricao", "", true), TListaTextos{"Edit_nome||Orders||||"});
}

TEST(LeSecao, RestFollowsTheCutAtTheSeparator) {
    TArquivoKMF documento;
    documento.AdicionaLinha("s", "b|");
    documento.AdicionaLinha("s", "");
    documento.AdicionaLinha("s", "x||y|||z");
    documento.getLinhas().push_back("s");
    // "s||b|" + "||" cuts into s, b and a dropped "|".
    EXPECT_EQ(documento.LeSecao("s", "", true), (TListaTextos{"b||", "||", "x||y|||z||", ""}));
}

TEST(LeSecao, ComparisonIsExact) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("descricao", "Edit_nome", "Orders");
    EXPECT_TRUE(documento.LeSecao("Descricao", "Edit_nome", false).empty());
    EXPECT_TRUE(documento.LeSecao("descricao", "edit_nome", false).empty());
    EXPECT_TRUE(documento.LeSecao("descr", "", false).empty());
}

TEST(LeSecao, OrderIsPreserved) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("tipos", "tb_tipos", "int;Integer;0;");
    documento.AdicionaEntrada("outra", "tb_tipos", "x");
    documento.AdicionaEntrada("tipos", "tb_tipos", "varchar;String;'';");
    EXPECT_EQ(documento.LeSecao("tipos", "tb_tipos", false),
              (TListaTextos{"int;Integer;0;", "varchar;String;'';"}));
}

TEST(LeSecao, ShortLineIsAListIndexFailure) {
    TArquivoKMF documento;
    documento.AdicionaLinha("s", "somente");
    EXPECT_THROW(documento.LeSecao("s", "", false), EListError);
    EXPECT_THROW(documento.LeSecao("", "", false), EListError);
    EXPECT_EQ(documento.LeSecao("outra", "", false), TListaTextos{}) << "skipped by its section";
    documento.getLinhas() = {"s"};
    EXPECT_THROW(documento.LeSecao("s", "k", false), EListError);
    EXPECT_THROW(documento.LeSecao("s", "k", true), EListError);
}

TEST(LeSecao, TwoLineValueSurvivesSavingAndOpening) {
    PastaTemporaria pasta;
    TArquivoKMF documento;
    documento.cabecalho = "Autor";
    documento.AdicionaEntrada("codigo", "re_classeobjeto", "class <tbname> {\r\n};\n");
    documento.AdicionaEntrada("codigo", "re_vazio", "");
    const TArquivoKMF lido = Reaberto(documento, pasta);
    EXPECT_EQ(lido.getLinhas(), documento.getLinhas());
    EXPECT_EQ(lido.LeSecao("codigo", "re_classeobjeto", false),
              TListaTextos{"class <tbname> {\r\n};\n"});
    EXPECT_EQ(lido.LeSecao("codigo", "re_vazio", false), TListaTextos{""});
}

struct CasoEscape {
    std::string valor;
    bool escapado;
};

void PrintTo(const CasoEscape& caso, std::ostream* saida) {
    *saida << testing::PrintToString(caso.valor);
}

class EscapeDeValores : public testing::TestWithParam<CasoEscape> {};

TEST_P(EscapeDeValores, ValueReadsBackExactly) {
    const CasoEscape& caso = GetParam();
    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", caso.valor);
    const std::string& linha = documento.getLinhas().at(0);
    if (caso.escapado) {
        ASSERT_EQ(linha.substr(0, 7), "s||k||" + Esc);
        const std::string meio = linha.substr(7, linha.size() - 9);
        EXPECT_EQ(meio.find('|'), std::string::npos) << "an escaped value holds no |";
        EXPECT_EQ(linha.substr(linha.size() - 2), "||");
    } else {
        EXPECT_EQ(linha, "s||k||" + caso.valor + "||") << "stored byte for byte";
    }
    EXPECT_EQ(documento.LeSecao("s", "k", false), TListaTextos{caso.valor});

    PastaTemporaria pasta;
    EXPECT_EQ(Reaberto(documento, pasta).LeSecao("s", "k", false), TListaTextos{caso.valor});
}

INSTANTIATE_TEST_SUITE_P(
    Valores, EscapeDeValores,
    testing::Values(CasoEscape{"a||b", true}, CasoEscape{"x|", true}, CasoEscape{"|", true},
                    CasoEscape{"||", true}, CasoEscape{Esc, true}, CasoEscape{Esc + "z", true},
                    CasoEscape{Esc + "1", true}, CasoEscape{"a" + Esc + "||" + Esc + "2|", true},
                    CasoEscape{"a|b", false}, CasoEscape{"|a", false}, CasoEscape{"a" + Esc, false},
                    CasoEscape{"Orders", false}, CasoEscape{"", false}));

TEST(EscapeDeValores, EscapedFormIsAsDocumented) {
    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", "a||" + Esc + "|");
    EXPECT_EQ(documento.getLinhas()[0],
              "s||k||" + Esc + "a" + Esc + "2" + Esc + "2" + Esc + "1" + Esc + "2||");
}

TEST(EscapeDeValores, PlainLinesWrittenByHandReadAsBefore) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("antigo.kmf");
    const TListaTextos linhas{"descricao||Edit_nome||Orders||", "descricao||memo_comentario||||",
                              "descricao||cortado||x|||",
                              "tabelasecolunas||TColuna||ID=>1=>|>TBaseDados||=>|>|>"};
    EscreveArquivo(caminho, ComoArquivo(EmbaralhaLinhas(linhas, "Autor")));

    TArquivoKMF documento;
    documento.Abre(caminho);
    EXPECT_EQ(documento.getLinhas(), linhas);
    EXPECT_EQ(documento.LeSecao("descricao", "Edit_nome", false), TListaTextos{"Orders"});
    EXPECT_EQ(documento.LeSecao("descricao", "memo_comentario", false), TListaTextos{""});
    EXPECT_EQ(documento.LeSecao("descricao", "cortado", false), TListaTextos{"x"});
    EXPECT_EQ(documento.LeSecao("tabelasecolunas", "", true),
              TListaTextos{"TColuna||ID=>1=>|>TBaseDados||=>|>|>||"});
}

TEST(Salva, WritesHeaderSeedAndLinesWithCrLf) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("doc.kmf");
    TArquivoKMF documento;
    documento.cabecalho = "Autor";
    documento.AdicionaEntrada("descricao", "Edit_nome", "Orders");
    documento.AdicionaEntrada("descricao", "vazio", "");
    const TListaTextos antes = documento.getLinhas();
    documento.Salva(caminho);

    EXPECT_EQ(LeArquivo(caminho), ComoArquivo(EmbaralhaLinhas(antes, "Autor")));
    EXPECT_EQ(documento.getLinhas(), antes) << "saving keeps the document's lines";
    EXPECT_EQ(NomesEm(pasta.caminho()), std::set<std::string>{"doc.kmf"});
}

TEST(Salva, EmptyDocumentIsTwoLines) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("vazio.kmf");
    TArquivoKMF documento;
    documento.Salva(caminho);
    EXPECT_EQ(LeArquivo(caminho), "\r\n0Fndrl\r\n");

    TArquivoKMF lido;
    lido.AdicionaEntrada("s", "k", "v");
    lido.Abre(caminho);
    EXPECT_TRUE(lido.getLinhas().empty());
}

TEST(Salva, LineBreaksInTheHeaderDoNotSplitIt) {
    PastaTemporaria pasta;
    TArquivoKMF documento;
    documento.cabecalho = "Ana\r\nMaria";
    documento.AdicionaEntrada("s", "k", "v");
    const std::string caminho = pasta.arquivo("doc.kmf");
    documento.Salva(caminho);
    EXPECT_EQ(LeArquivo(caminho).substr(0, 11), "Ana  Maria\r");
    TArquivoKMF lido;
    lido.Abre(caminho);
    EXPECT_EQ(lido.getLinhas(), documento.getLinhas());
}

TEST(Salva, ReplacesAnExistingFileCompletely) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("doc.kmf");
    EscreveArquivo(caminho, std::string(100000, 'x'));
    ::chmod(caminho.c_str(), 0640);

    TArquivoKMF documento;
    documento.cabecalho = "h";
    documento.AdicionaEntrada("s", "k", "v");
    documento.Salva(caminho);
    EXPECT_EQ(LeArquivo(caminho), ComoArquivo(EmbaralhaLinhas(documento.getLinhas(), "h")));
    EXPECT_EQ(NomesEm(pasta.caminho()), std::set<std::string>{"doc.kmf"});

    struct stat estado {};
    ASSERT_EQ(::stat(caminho.c_str(), &estado), 0);
    EXPECT_EQ(estado.st_mode & 07777, 0640u) << "permission bits are kept";
}

TEST(Salva, SymbolicLinkKeepsPointingAtTheDocument) {
    PastaTemporaria pasta;
    const std::string alvo = pasta.arquivo("alvo.kmf");
    const std::string ligacao = pasta.arquivo("ligacao.kmf");
    EscreveArquivo(alvo, "old");
    fs::create_symlink(alvo, ligacao);

    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", "v");
    documento.Salva(ligacao);
    EXPECT_TRUE(fs::is_symlink(ligacao));
    TArquivoKMF lido;
    lido.Abre(alvo);
    EXPECT_EQ(lido.getLinhas(), documento.getLinhas());
}

TEST(Salva, LargeRandomDocumentRoundTrips) {
    std::mt19937 gerador(99);
    TArquivoKMF documento;
    documento.cabecalho = "Autor";
    for (int i = 0; i < 400; ++i) {
        std::string valor;
        const std::size_t tamanho = gerador() % 3000;
        for (std::size_t j = 0; j < tamanho; ++j) {
            valor.push_back(static_cast<char>(gerador() % 256));
        }
        if (i % 5 == 0) {
            valor += "\r\n";
        }
        documento.AdicionaEntrada("secao", "chave" + std::to_string(i % 7), valor);
    }
    for (int i = 0; i < 50000; ++i) {
        documento.AdicionaLinha("tabelasecolunas", "TColuna||c" + std::to_string(i) + "=>|>");
    }
    PastaTemporaria pasta;
    const TArquivoKMF lido = Reaberto(documento, pasta);
    EXPECT_EQ(lido.getLinhas(), documento.getLinhas());
    EXPECT_EQ(lido.LeSecao("secao", "chave3", false), documento.LeSecao("secao", "chave3", false));
}

TEST(Salva, MissingFolderFails) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("nao-existe/doc.kmf");
    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", "v");
    try {
        documento.Salva(caminho);
        FAIL() << "saved into a missing folder";
    } catch (const EErroGeral& erro) {
        const std::string esperado = "Não Foi Possível Salvar: " + caminho;
        EXPECT_EQ(std::string(erro.what()).substr(0, esperado.size()), esperado);
        EXPECT_EQ(erro.textoErro(), erro.what());
    }
    EXPECT_TRUE(NomesEm(pasta.caminho()).empty());
}

TEST(Salva, FolderThatIsAFileLeavesNothing) {
    PastaTemporaria pasta;
    const std::string arquivo = pasta.arquivo("arquivo");
    EscreveArquivo(arquivo, "conteudo");
    const std::string caminho = arquivo + "/doc.kmf";
    TArquivoKMF documento;
    try {
        documento.Salva(caminho);
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(std::string(erro.what()).rfind("Não Foi Possível Salvar: " + caminho, 0), 0u)
            << erro.what();
    }
    EXPECT_EQ(NomesEm(pasta.caminho()), std::set<std::string>{"arquivo"});
    EXPECT_EQ(LeArquivo(arquivo), "conteudo");
}

TEST(Salva, TargetThatIsAFolderIsLeftAlone) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("pasta.kmf");
    fs::create_directory(caminho);
    TArquivoKMF documento;
    EXPECT_THROW(documento.Salva(caminho), EErroGeral);
    EXPECT_TRUE(fs::is_directory(caminho));
    EXPECT_EQ(NomesEm(pasta.caminho()), std::set<std::string>{"pasta.kmf"});
}

TEST(Salva, PipeIsWrittenDirectly) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("tubo");
    ASSERT_EQ(::mkfifo(caminho.c_str(), 0600), 0);
    // The reading end is opened first without waiting, so that the save neither blocks nor
    // fills the pipe (the document is far smaller than a pipe holds).
    const int leitura = ::open(caminho.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(leitura, 0);

    TArquivoKMF documento;
    documento.cabecalho = "h";
    documento.AdicionaEntrada("s", "k", "v");
    EXPECT_NO_THROW(documento.Salva(caminho));

    std::string lido(4096, '\0');
    const ssize_t tamanho = ::read(leitura, lido.data(), lido.size());
    ::close(leitura);
    lido.resize(tamanho > 0 ? static_cast<std::size_t>(tamanho) : 0);
    EXPECT_EQ(lido, ComoArquivo(EmbaralhaLinhas(documento.getLinhas(), "h")));
    EXPECT_TRUE(fs::is_fifo(caminho)) << "the pipe is still a pipe";
    EXPECT_EQ(NomesEm(pasta.caminho()), std::set<std::string>{"tubo"});
}

// A small file system of its own, so that a save can run out of space.
class SistemaCheio : public testing::Test {
protected:
    void SetUp() override {
        m_ponto = m_pasta.caminho() / "pequeno";
        fs::create_directory(m_ponto);
        if (::mount("tmpfs", m_ponto.c_str(), "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
        }
        m_montado = true;
    }
    void TearDown() override {
        if (m_montado) {
            ::umount2(m_ponto.c_str(), MNT_DETACH);
        }
    }

    // Fills the file system until a write fails.
    void Enche() {
        std::ofstream enchimento(m_ponto / "enchimento", std::ios::binary);
        const std::string bloco(4096, 'z');
        for (int i = 0; i < 1000 && enchimento; ++i) {
            enchimento.write(bloco.data(), static_cast<std::streamsize>(bloco.size()));
            enchimento.flush();
        }
    }

    PastaTemporaria m_pasta;
    fs::path m_ponto;
    bool m_montado = false;
};

TEST_F(SistemaCheio, FailedSaveLeavesTheOldDocumentAsItWas) {
    const std::string caminho = (m_ponto / "doc.kmf").string();
    TArquivoKMF antigo;
    antigo.cabecalho = "Autor";
    antigo.AdicionaEntrada("descricao", "Edit_nome", "Orders");
    antigo.Salva(caminho);
    const std::string bytesAntigos = LeArquivo(caminho);
    Enche();

    TArquivoKMF grande;
    for (int i = 0; i < 2000; ++i) {
        grande.AdicionaEntrada("secao", "chave", std::string(100, 'v'));
    }
    try {
        grande.Salva(caminho);
        FAIL() << "saved into a full file system";
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(std::string(erro.what()).rfind("Não Foi Possível Salvar: " + caminho, 0), 0u)
            << erro.what();
    }
    EXPECT_EQ(LeArquivo(caminho), bytesAntigos);
    EXPECT_EQ(NomesEm(m_ponto), (std::set<std::string>{"doc.kmf", "enchimento"}));

    TArquivoKMF lido;
    lido.Abre(caminho);
    EXPECT_EQ(lido.getLinhas(), antigo.getLinhas());
}

TEST(Abre, MissingFileFails) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("nao-existe.kmf");
    TArquivoKMF documento;
    try {
        documento.Abre(caminho);
        FAIL();
    } catch (const EErroGeral& erro) {
        EXPECT_EQ(std::string(erro.what()), "Could Not Open File " + caminho);
        EXPECT_EQ(erro.textoErro(), "Could Not Open File " + caminho);
    }
    EXPECT_THROW(documento.Abre(pasta.caminho().string()), EErroGeral) << "a folder";
}

TEST(Abre, LineEndsAreLfWithAnOptionalCr) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("doc.kmf");
    const TListaTextos guardadas = EmbaralhaLinhas({"a||b||c||", "", "d||e||"}, "h");

    // LF alone, and no line break after the last line.
    EscreveArquivo(caminho, guardadas[0] + "\n" + guardadas[1] + "\r\n" + guardadas[2] + "\n" +
                                guardadas[3] + "\r\n" + guardadas[4]);
    TArquivoKMF documento;
    documento.Abre(caminho);
    EXPECT_EQ(documento.getLinhas(), (TListaTextos{"a||b||c||", "", "d||e||"}));

    // A final empty line is an empty document line.
    EscreveArquivo(caminho, ComoArquivo(guardadas) + "\r\n");
    documento.Abre(caminho);
    EXPECT_EQ(documento.getLinhas(), (TListaTextos{"a||b||c||", "", "d||e||", ""}));
}

TEST(Abre, FileWithoutSeedFailsAndLeavesTheDocument) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("doc.kmf");
    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", "v");
    const TListaTextos antes = documento.getLinhas();

    for (const std::string conteudo : {"", "so o cabecalho\r\n", "so o cabecalho"}) {
        EscreveArquivo(caminho, conteudo);
        EXPECT_THROW(documento.Abre(caminho), EListError) << conteudo;
        EXPECT_EQ(documento.getLinhas(), antes);
    }
}

TEST(Abre, DamagedLineFailsAndLeavesTheDocument) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("doc.kmf");
    TListaTextos guardadas = EmbaralhaLinhas({"a||b||c||", "d||e||"}, "h");
    guardadas[3] += "=";
    EscreveArquivo(caminho, ComoArquivo(guardadas));

    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", "v");
    const TListaTextos antes = documento.getLinhas();
    try {
        documento.Abre(caminho);
        FAIL();
    } catch (const EConvertError& erro) {
        EXPECT_STREQ(erro.what(), "Blowfish: Error converting from Base64 - invalid character");
    }
    EXPECT_EQ(documento.getLinhas(), antes);
}

TEST(Abre, EditedHeaderOpens) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("doc.kmf");
    TListaTextos guardadas = EmbaralhaLinhas({"descricao||Edit_nome||Orders||"}, "Autor");
    guardadas[0] = "Outro Autor, editado a mao";
    EscreveArquivo(caminho, ComoArquivo(guardadas));
    TArquivoKMF documento;
    documento.Abre(caminho);
    EXPECT_EQ(documento.LeSecao("descricao", "Edit_nome", false), TListaTextos{"Orders"});
}

TEST(Abre, PathIsTakenAsGiven) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("Mapeamento çãé 文字.kmf");
    TArquivoKMF documento;
    documento.AdicionaEntrada("s", "k", "v");
    documento.Salva(caminho);
    TArquivoKMF lido;
    lido.Abre(caminho);
    EXPECT_EQ(lido.getLinhas(), documento.getLinhas());
}

} // namespace
} // namespace fendril
