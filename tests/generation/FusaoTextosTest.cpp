#include "generation/FusaoTextos.h"

#include "model/Erros.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

TEST(DiferencaUnificada, ReadsAsGitWritesIt) {
    const std::string antes = "a\nb\nc\n";
    EXPECT_EQ(DiferencaUnificada(&antes, antes, "x.h"), "");
    const std::string diferenca = DiferencaUnificada(&antes, "a\nB\nc\n", "x.h");
    EXPECT_TRUE(diferenca.starts_with("diff --git a/x.h b/x.h\n")) << diferenca;
    EXPECT_TRUE(diferenca.ends_with("--- a/x.h\n+++ b/x.h\n@@ -1,3 +1,3 @@\n a\n-b\n+B\n c\n"))
        << diferenca;
    const std::string novo = DiferencaUnificada(nullptr, "a\r\n", "src/n.h");
    EXPECT_TRUE(novo.ends_with("--- /dev/null\n+++ b/src/n.h\n@@ -0,0 +1 @@\n+a\r\n")) << novo;
}

TEST(FundeTextos, KeepsBothSidesOrMarksTheirConflict) {
    const std::string base = "1\r\n2\r\n3\r\n4\r\n5\r\n";
    const TFusao limpa =
        FundeTextos(base, "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n", "1\r\n2\r\n3\r\n4\r\nfive\r\n", "x.h");
    EXPECT_TRUE(limpa.limpa());
    EXPECT_EQ(limpa.texto, "0\r\n1\r\n2\r\n3\r\n4\r\nfive\r\n");

    const TFusao conflito = FundeTextos(base, "1\r\n2\r\nmine\r\n4\r\n5\r\n8\r\n",
                                        "1\r\n2\r\nnew\r\n4\r\n5\r\n", "x.h");
    EXPECT_EQ(conflito.conflitos, std::vector<std::size_t>{3});
    EXPECT_EQ(conflito.texto, "1\r\n2\r\n<<<<<<< x.h (edited)\r\nmine\r\n=======\r\nnew\r\n"
                              ">>>>>>> x.h (generated)\r\n4\r\n5\r\n8\r\n");
}

TEST(FundeTextos, BinaryContentIsNotMerged) {
    const std::string base("a\0b\n", 4);
    EXPECT_THROW(FundeTextos(base, std::string("a\0c\n", 4), std::string("a\0d\n", 4), "x.bin"),
                 EErroGeral);
}

} // namespace
} // namespace fendril
