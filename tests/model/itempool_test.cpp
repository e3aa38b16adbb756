// The item pool hands out blocks of item memory per thread; items may be freed on another thread
// than the one that made them (an interpreter moves between threads), and a thread may end while
// its items live on. Under ThreadSanitizer (the tsan preset) these tests also prove the hand-over
// race-free.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "tolvex/interpreter/mathinterpreter.h"
#include "tolvex/model/itempool.h"

namespace tolvex {
namespace {

struct Block {
    unsigned char* memory;
    std::size_t size;
    unsigned char mark;
};

// Blocks of every pooled size and some larger, each filled with its own mark.
std::vector<Block> Make(int count, unsigned seed) {
    std::vector<Block> blocks;
    std::mt19937 random(seed);
    for (int i = 0; i < count; ++i) {
        const std::size_t size = 1 + random() % 300;
        auto* memory = static_cast<unsigned char*>(item_pool::Allocate(size));
        const auto mark = static_cast<unsigned char>(random());
        std::memset(memory, mark, size);
        blocks.push_back({memory, size, mark});
    }
    return blocks;
}

// True when no block was handed out twice or written by anyone else.
bool Intact(const std::vector<Block>& blocks) {
    for (const Block& b : blocks)
        if (std::any_of(b.memory, b.memory + b.size, [&](unsigned char c) { return c != b.mark; })) return false;
    return true;
}

void Free(std::vector<Block>& blocks) {
    for (const Block& b : blocks) item_pool::Release(b.memory, b.size);
    blocks.clear();
}

TEST(ItemPoolTest, BlocksFreedInAnyOrderComeBackWithoutOverlap) {
    std::vector<Block> first = Make(20000, 1);
    std::shuffle(first.begin(), first.end(), std::mt19937(2));
    std::vector<Block> kept(first.begin(), first.begin() + 5000);
    first.erase(first.begin(), first.begin() + 5000);
    Free(first);
    std::vector<Block> second = Make(30000, 3);  // reuses the freed blocks and carves new ones
    EXPECT_TRUE(Intact(kept));
    EXPECT_TRUE(Intact(second));
    Free(kept);
    Free(second);
}

TEST(ItemPoolTest, BlocksFreedOnOtherThreadsAndAfterTheirThreadEnded) {
    std::vector<Block> made;
    std::vector<Block> orphans;
    std::thread maker([&] {
        made = Make(20000, 4);
        orphans = Make(20000, 5);  // outlive their thread
        std::vector<Block> freedHere(made.begin(), made.begin() + 10000);
        made.erase(made.begin(), made.begin() + 10000);
        std::thread other([&] { Free(made); });  // the rest go back from another thread
        other.join();
        Free(freedHere);
        std::vector<Block> again = Make(30000, 6);
        EXPECT_TRUE(Intact(again));
        EXPECT_TRUE(Intact(orphans));
        Free(again);
    });
    maker.join();
    EXPECT_TRUE(Intact(orphans));
    std::vector<Block> later;
    std::thread taker([&] { later = Make(20000, 7); });  // may take over the ended thread's chunks
    taker.join();
    EXPECT_TRUE(Intact(orphans));
    EXPECT_TRUE(Intact(later));
    std::thread freer([&] { Free(orphans); Free(later); });
    freer.join();
    std::vector<Block> last = Make(20000, 8);
    EXPECT_TRUE(Intact(last));
    Free(last);
}

TEST(ItemPoolTest, InterpreterMadeOnOneThreadIsUsedAndFreedOnOthers) {
    auto interpreter = std::make_unique<TMathInterpreter>();
    interpreter->Execute("k=3; f(x):=x*k+1; s='text'");
    std::thread user([&] {
        EXPECT_EQ(VarToStr(interpreter->ExecuteExpression("f(2)")), "7");
        interpreter->Execute("g(x):=f(x)*2; k=4");
    });
    user.join();
    std::thread freer([&] {
        EXPECT_EQ(VarToStr(interpreter->ExecuteExpression("g(1)+f(0)")), "11");
        interpreter.reset();
    });
    freer.join();
}

}  // namespace
}  // namespace tolvex
