#include "generation/TOrderedProducer.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace fendril {
namespace {

std::string Resultado(std::size_t i, std::size_t) {
    return std::string(i % 7, 'x') + std::to_string(i);
}

TEST(TOrderedProducer, HandsOverEveryResultInOrderWhateverTheThreads) {
    for (const std::size_t trabalhadores : {0, 1, 2, 5}) {
        std::atomic<bool> foraDosTrabalhadores{false};
        TOrderedProducer<std::string> produtor(
            1000,
            [&](std::size_t i, std::size_t t) {
                foraDosTrabalhadores =
                    foraDosTrabalhadores || t >= std::max<std::size_t>(trabalhadores, 1);
                return Resultado(i, t);
            },
            trabalhadores, 3);
        for (std::size_t i = 0; i < 1000; ++i) {
            ASSERT_EQ(produtor.Next(), Resultado(i, 0)) << trabalhadores << " threads";
        }
        EXPECT_FALSE(foraDosTrabalhadores) << "a thread's number is below their count";
    }
}

TEST(TOrderedProducer, AFailureComesInItsTurn) {
    for (const std::size_t trabalhadores : {0, 1, 4}) {
        std::atomic<std::size_t> feitos{0};
        TOrderedProducer<int> produtor(
            100,
            [&](std::size_t i, std::size_t) {
                ++feitos;
                if (i == 5 || i == 7) {
                    throw std::runtime_error(std::to_string(i));
                }
                return static_cast<int>(i);
            },
            trabalhadores);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(produtor.Next(), i);
        }
        try {
            produtor.Next();
            FAIL() << "the failure was not handed over";
        } catch (const std::runtime_error& erro) {
            EXPECT_STREQ(erro.what(), "5");
        }
        if (trabalhadores <= 1) {
            EXPECT_EQ(feitos.load(), 6u) << "nothing after the failure is made";
        }
    }
}

TEST(TOrderedProducer, LeavingEarlyStopsTheThreads) {
    std::atomic<std::size_t> feitos{0};
    {
        TOrderedProducer<int> produtor(
            1000000,
            [&](std::size_t i, std::size_t) {
                ++feitos;
                return static_cast<int>(i);
            },
            2, 4);
        EXPECT_EQ(produtor.Next(), 0);
    }
    // At most the results in the ring, the one handed over and one being made per thread.
    EXPECT_LE(feitos.load(), 8u + 1u + 2u);
}

} // namespace
} // namespace fendril
