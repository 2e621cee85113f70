#include "generation/TDiretorio.h"

#include "model/Erros.h"
#include "support/ArquivosTemporarios.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fendril {
namespace {

namespace fs = std::filesystem;

TEST(TDiretorio, ListsParentFirstThenEntriesByNameWithTheirAttributes) {
    teste::PastaTemporaria pasta;
    fs::create_directory(pasta.arquivo("Sub"));
    teste::EscreveArquivo(pasta.arquivo("b.tpt"), "12345");
    teste::EscreveArquivo(pasta.arquivo("A.kmf"), "1");
    teste::EscreveArquivo(pasta.arquivo(".hidden"), "");
    teste::EscreveArquivo(pasta.arquivo("ro.txt"), "");
    fs::permissions(pasta.arquivo("ro.txt"), fs::perms::owner_read);
    fs::create_symlink(pasta.arquivo("A.kmf"), pasta.arquivo("link.kmf"));
    fs::create_symlink(pasta.arquivo("gone"), pasta.arquivo("broken"));
    mkfifo(pasta.arquivo("pipe").c_str(), 0600);

    TDiretorio diretorio(pasta.caminho().string());
    diretorio.Lista();
    EXPECT_EQ(diretorio.getNomes(),
              (TListaTextos{"..", ".hidden", "A.kmf", "b.tpt", "link.kmf", "ro.txt", "Sub"}));
    const auto atributos = [&](const std::string& nome) {
        TArquivo entrada;
        EXPECT_TRUE(diretorio.ProcuraArquivo(nome, entrada)) << nome;
        return entrada.atributos;
    };
    EXPECT_EQ(atributos(".."), Atributo::Diretorio);
    EXPECT_EQ(atributos("Sub"), Atributo::Diretorio);
    EXPECT_EQ(atributos("b.tpt"), Atributo::Normal);
    EXPECT_EQ(atributos(".hidden"), Atributo::Oculto);
    EXPECT_EQ(atributos("ro.txt"), Atributo::SomenteLeitura);
    EXPECT_EQ(diretorio.tamanhoTotal(), 7);

    TArquivo entrada;
    EXPECT_TRUE(diretorio.ProcuraArquivo("b.tpt", entrada));
    EXPECT_EQ(entrada.extensao, "tpt");
    EXPECT_EQ(entrada.tamanho, 5);
    TArquivo intacta;
    intacta.nome = "kept";
    EXPECT_FALSE(diretorio.ProcuraArquivo("B.TPT", intacta));
    EXPECT_EQ(intacta.nome, "kept");
    EXPECT_EQ(intacta.atributos, -1);
}

TEST(TDiretorio, MissingDirectoryIsAnError) {
    teste::PastaTemporaria pasta;
    teste::EscreveArquivo(pasta.arquivo("file"), "");
    for (const std::string& caminho :
         {pasta.arquivo("none"), pasta.arquivo("file"), std::string()}) {
        TDiretorio diretorio(caminho);
        try {
            diretorio.Lista();
            ADD_FAILURE() << caminho;
        } catch (const EErroGeral& erro) {
            EXPECT_STREQ(erro.what(), "Directory Does Not Exist !!");
        }
    }
}

} // namespace
} // namespace fendril
