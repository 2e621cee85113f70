#include "generation/TOrderedProducer.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace fendril {
namespace {

TEST(TOrderedProducer, HandsOverEveryResultInOrder) {
    TOrderedProducer<std::string> produtor(
        1000, [](std::size_t i) { return std::string(i % 7, 'x') + std::to_string(i); }, 3);
    for (std::size_t i = 0; i < 1000; ++i) {
        ASSERT_EQ(produtor.Next(), std::string(i % 7, 'x') + std::to_string(i));
    }
}

TEST(TOrderedProducer, AFailureComesInItsTurnAndNothingAfterItIsMade) {
    std::atomic<std::size_t> feitos{0};
    TOrderedProducer<int> produtor(100, [&](std::size_t i) {
        ++feitos;
        if (i == 5) {
            throw std::runtime_error("five");
        }
        return static_cast<int>(i);
    });
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(produtor.Next(), i);
    }
    try {
        produtor.Next();
        FAIL() << "the failure was not handed over";
    } catch (const std::runtime_error& erro) {
        EXPECT_STREQ(erro.what(), "five");
    }
    EXPECT_EQ(feitos.load(), 6u);
}

TEST(TOrderedProducer, LeavingEarlyStopsTheThread) {
    std::atomic<std::size_t> feitos{0};
    {
        TOrderedProducer<int> produtor(
            1000000,
            [&](std::size_t i) {
                ++feitos;
                return static_cast<int>(i);
            },
            4);
        EXPECT_EQ(produtor.Next(), 0);
    }
    // At most the results waiting, the one handed over and the one being made.
    EXPECT_LE(feitos.load(), 6u);
}

} // namespace
} // namespace fendril
