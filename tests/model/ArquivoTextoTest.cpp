#include "model/ArquivoTexto.h"

#include "model/Log.h"
#include "support/ArquivosTemporarios.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <new>
#include <set>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fendril {
namespace {

namespace fs = std::filesystem;
using teste::LeArquivo;
using teste::PastaTemporaria;

std::set<std::string> NomesEm(const fs::path& pasta) {
    std::set<std::string> nomes;
    for (const auto& entrada : fs::directory_iterator(pasta)) {
        nomes.insert(entrada.path().filename().string());
    }
    return nomes;
}

std::string MensagemDe(const std::string& caminho) {
    try {
        LeTextoArquivo(caminho);
    } catch (const EErroGeral& erro) {
        return erro.what();
    }
    return "read";
}

unsigned Permissao(const std::string& caminho) {
    struct stat estado {};
    ::stat(caminho.c_str(), &estado);
    return estado.st_mode & 07777;
}

// A process id that no longer runs: a child that has ended and been waited for.
pid_t ProcessoEncerrado() {
    const pid_t filho = ::fork();
    if (filho == 0) {
        ::_exit(0);
    }
    ::waitpid(filho, nullptr, 0);
    return filho;
}

TEST(LeTextoArquivo, ReadsRegularFilesOnlyAndUpToTheLimit) {
    PastaTemporaria pasta;
    const std::string tubo = pasta.arquivo("pipe");
    ASSERT_EQ(::mkfifo(tubo.c_str(), 0600), 0);
    // Nothing writes to the pipe: a read that opened it would wait for ever.
    EXPECT_EQ(MensagemDe(tubo), "Could Not Open File " + tubo + ": It Is Not A Regular File");
    EXPECT_EQ(MensagemDe("/dev/zero"), "Could Not Open File /dev/zero: It Is Not A Regular File");
    EXPECT_EQ(MensagemDe(pasta.caminho().string()),
              "Could Not Open File " + pasta.caminho().string());

    const std::string grande = pasta.arquivo("big");
    teste::EscreveArquivo(grande, "");
    fs::resize_file(grande, TamanhoMaximoLeitura + 1); // sparse: takes no space
    EXPECT_EQ(MensagemDe(grande), "Could Not Open File " + grande + ": It Is Larger Than 1024 MiB");
}

TEST(LeLinhasArquivo, GivesTheLinesOfCortaLinhasLFWhereverTheBlocksEnd) {
    // Reads go in blocks of 64 KiB: lines, CR LF pairs and long lines that cross a block's
    // end come out as the whole text cut at once gives them.
    const std::size_t bloco = std::size_t{1} << 16;
    const std::string longa(3 * bloco + 5, 'x');
    const std::vector<std::string> textos = {
        "",
        "\n",
        "\r",
        "a",
        "a\r\nb\n\nc\r",
        std::string(bloco - 1, 'a') + "\r\nb",
        std::string(bloco, 'a') + "\nb\r\n",
        std::string(bloco - 2, 'a') + "\n\r\n\n",
        "start\n" + longa + "\r\n" + longa,
    };
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("lines.txt");
    for (const std::string& texto : textos) {
        teste::EscreveArquivo(caminho, texto);
        TListaTextos lidas;
        LeLinhasArquivo(caminho, [&lidas](std::string_view linha) { lidas.emplace_back(linha); });
        EXPECT_EQ(lidas, CortaLinhasLF(texto)) << texto.size() << " bytes";
    }
    EXPECT_THROW(LeLinhasArquivo(pasta.caminho().string(), [](std::string_view) {}), EErroGeral);
}

TEST(GravaLinhasGeradas, WritesEachLineAndLeavesNothingWhenALineCannotBeMade) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("doc.kmf");
    int chamadas = 0;
    GravaLinhasGeradas(caminho, [&chamadas](std::string& linha) {
        linha = std::string(chamadas, 'x');
        return ++chamadas <= 3;
    });
    EXPECT_EQ(LeArquivo(caminho), "\r\nx\r\nxx\r\n");

    const auto falha = [](std::string&) -> bool { throw std::bad_alloc(); };
    EXPECT_THROW(GravaLinhasGeradas(caminho, falha), std::bad_alloc);
    EXPECT_EQ(LeArquivo(caminho), "\r\nx\r\nxx\r\n");
    EXPECT_EQ(NomesEm(pasta.caminho()), std::set<std::string>{"doc.kmf"});
}

TEST(GravaLinhasTexto, PrivateFilesAreForTheirOwnerOnly) {
    PastaTemporaria pasta;
    const std::string caminho = pasta.arquivo("secret.kmf");
    teste::EscreveArquivo(caminho, "old");
    ::chmod(caminho.c_str(), 0644);
    TModoGravacao modo;
    modo.privado = true;
    GravaLinhasTexto(caminho, {"new"}, modo);
    EXPECT_EQ(LeArquivo(caminho), "new\r\n");
    EXPECT_EQ(Permissao(caminho), 0600u);
    GravaLinhasTexto(pasta.arquivo("fresh.kmf"), {"x"}, modo);
    EXPECT_EQ(Permissao(pasta.arquivo("fresh.kmf")), 0600u);
}

TEST(GravaLinhasTexto, ReplacingTheEntryNeverFollowsALinkOrWritesToAPipe) {
    PastaTemporaria pasta;
    const std::string fora = pasta.arquivo("outside.txt");
    teste::EscreveArquivo(fora, "precious");
    const std::string ligacao = pasta.arquivo("log.txt");
    fs::create_symlink(fora, ligacao);
    const std::string tubo = pasta.arquivo("pipe.txt");
    ASSERT_EQ(::mkfifo(tubo.c_str(), 0600), 0);

    TModoGravacao modo;
    modo.substituiEntrada = true;
    for (const std::string& caminho : {ligacao, tubo}) {
        GravaLinhasTexto(caminho, {"log"}, modo);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(caminho))) << caminho;
        EXPECT_EQ(LeArquivo(caminho), "log\r\n");
    }
    EXPECT_EQ(LeArquivo(fora), "precious");
    EXPECT_EQ(NomesEm(pasta.caminho()),
              (std::set<std::string>{"log.txt", "outside.txt", "pipe.txt"}));
}

TEST(GravaLinhasTexto, APipeNobodyReadsFailsAtOnce) {
    PastaTemporaria pasta;
    const std::string tubo = pasta.arquivo("pipe");
    ASSERT_EQ(::mkfifo(tubo.c_str(), 0600), 0);
    EXPECT_THROW(GravaLinhasTexto(tubo, {"x"}), EFalhaGravacao);
    EXPECT_TRUE(fs::is_fifo(tubo));
}

TEST(RemoveTemporariosAbandonados, RemovesOnlyWhatEndedProgramsLeft) {
    PastaTemporaria pasta;
    const std::string morto = std::to_string(ProcessoEncerrado());
    const std::string vivo = std::to_string(::getpid());
    for (const std::string& nome :
         {"a.kmf.fendril-tmp-" + morto + "-abc123", ".fendril-tmp-" + morto + "-zz99zz",
          "b.kmf.fendril-tmp-" + vivo + "-abc123", "c.kmf.fendril-tmp-" + morto + "-ABC123",
          "d.kmf.fendril-tmp-" + morto + "-abc1234", "e.kmf.tmp-" + morto + "-abc123",
          std::string("f.kmf")}) {
        teste::EscreveArquivo(pasta.arquivo(nome), "x");
    }
    RemoveTemporariosAbandonados(pasta.caminho().string());
    EXPECT_EQ(NomesEm(pasta.caminho()),
              (std::set<std::string>{"b.kmf.fendril-tmp-" + vivo + "-abc123",
                                     "c.kmf.fendril-tmp-" + morto + "-ABC123",
                                     "d.kmf.fendril-tmp-" + morto + "-abc1234",
                                     "e.kmf.tmp-" + morto + "-abc123", "f.kmf"}));
}

// A child writes a large file and is sent the signal while its temporary file exists.
TEST(GravaLinhasTexto, ASignalThatEndsTheProgramRemovesItsTemporaryFile) {
    for (const int sinal : {SIGINT, SIGTERM}) {
        PastaTemporaria pasta;
        const pid_t filho = ::fork();
        ASSERT_GE(filho, 0);
        if (filho == 0) {
            const TListaTextos linhas(256, std::string(std::size_t{1} << 20, 'x'));
            try {
                GravaLinhasTexto(pasta.arquivo("big.txt"), linhas);
            } catch (...) {
            }
            ::_exit(3);
        }
        bool enviado = false;
        int estado = 0;
        while (::waitpid(filho, &estado, WNOHANG) == 0) {
            if (!enviado) {
                for (const auto& entrada : fs::directory_iterator(pasta.caminho())) {
                    if (entrada.path().filename().string().find(".fendril-tmp-") !=
                        std::string::npos) {
                        ::kill(filho, sinal);
                        enviado = true;
                    }
                }
            }
            ::usleep(100);
        }
        ASSERT_TRUE(enviado) << "the child ended before its temporary file was seen";
        ASSERT_TRUE(WIFSIGNALED(estado));
        EXPECT_EQ(WTERMSIG(estado), sinal) << "the signal still ends the program";
        EXPECT_TRUE(fs::is_empty(pasta.caminho()));
    }
}

TEST(TextoDeLog, ControlCharactersCannotStartALine) {
    EXPECT_EQ(TextoDeLog("a\nb\r\tc\x01\x7F\\d é"), "a\\nb\\r\\tc\\x01\\x7f\\d é");
    const std::string linha = LinhaLog("File x\n[2026-01-01;00:00:00]: File y -> OK");
    EXPECT_EQ(linha.find('\n'), std::string::npos);
    EXPECT_NE(linha.find("File x\\n[2026"), std::string::npos);
}

} // namespace
} // namespace fendril
