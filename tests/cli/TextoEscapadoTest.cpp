#include "cli/TextoEscapado.h"

#include "model/Erros.h"

#include <gtest/gtest.h>

namespace fendril {
namespace {

TEST(TextoEscapado, EscapesControlBytesAndBackslashOnly) {
    EXPECT_EQ(Escapa("a\\b\r\n\t\x01\x1f\x7f z|\xc3\xa7"),
              "a\\\\b\\r\\n\\t\\x01\\x1f\\x7f z|\xc3\xa7");
}

TEST(TextoEscapado, EveryByteSurvivesTheRoundTrip) {
    std::string todos;
    for (int b = 0; b < 256; ++b) {
        todos += static_cast<char>(b);
    }
    const std::string escapado = Escapa(todos);
    EXPECT_EQ(escapado.find('\n'), std::string::npos);
    EXPECT_EQ(Desescapa(escapado), todos);
    EXPECT_EQ(Desescapa("\\x4A\\x4a"), "JJ");
}

TEST(TextoEscapado, RejectsUnknownAndCutOffEscapes) {
    for (const char* ruim : {"abc\\", "\\q", "\\x4", "\\xg0", "\\x"}) {
        EXPECT_THROW(Desescapa(ruim), EErroGeral) << ruim;
    }
}

} // namespace
} // namespace fendril
