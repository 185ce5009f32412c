// The registry through which a window finds its thread's message loop. The
// registry only holds references, so any class of the name serves here.

#include "app/LoopRegistry.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

using namespace hwd;

class hwd::MessageLoop {};

namespace {

TEST(LoopRegistry, emptyFindsNothing)
{
    const LoopRegistry registry;
    EXPECT_EQ(registry.find(std::this_thread::get_id()), nullptr);
}

TEST(LoopRegistry, findsTheLoopOfItsThreadUntilRemoved)
{
    LoopRegistry registry;
    MessageLoop loop;
    registry.add(std::this_thread::get_id(), loop);
    EXPECT_EQ(registry.find(std::this_thread::get_id()), &loop);
    registry.remove(std::this_thread::get_id());
    EXPECT_EQ(registry.find(std::this_thread::get_id()), nullptr);
}

TEST(LoopRegistry, firstPairOfAThreadWins)
{
    LoopRegistry registry;
    MessageLoop first;
    MessageLoop second;
    const auto thread = std::this_thread::get_id();
    registry.add(thread, first);
    registry.add(thread, second);
    EXPECT_EQ(registry.find(thread), &first);
    registry.remove(thread);
    EXPECT_EQ(registry.find(thread), &second);
    registry.remove(thread);
    EXPECT_EQ(registry.find(thread), nullptr);
}

TEST(LoopRegistry, removingAnotherThreadChangesNothing)
{
    LoopRegistry registry;
    MessageLoop loop;
    registry.add(std::this_thread::get_id(), loop);
    std::thread other([&registry] {
        EXPECT_EQ(registry.find(std::this_thread::get_id()), nullptr);
        registry.remove(std::this_thread::get_id());
    });
    other.join();
    EXPECT_EQ(registry.find(std::this_thread::get_id()), &loop);
}

TEST(LoopRegistry, instanceIsOneForTheProcess)
{
    EXPECT_EQ(&LoopRegistry::instance(), &LoopRegistry::instance());
    LoopRegistry* fromAnotherThread = nullptr;
    std::thread other([&fromAnotherThread] { fromAnotherThread = &LoopRegistry::instance(); });
    other.join();
    EXPECT_EQ(fromAnotherThread, &LoopRegistry::instance());
}

// Many threads add, find and remove at once; each sees only its own loop.
TEST(LoopRegistry, threadsEachFindTheirOwnLoop)
{
    LoopRegistry registry;
    constexpr int threadCount = 8;
    constexpr int rounds = 2000;
    std::vector<std::unique_ptr<MessageLoop>> loops;
    for (int index = 0; index < threadCount; ++index)
        loops.push_back(std::make_unique<MessageLoop>());
    std::atomic<int> mismatches{0};

    std::vector<std::thread> threads;
    for (std::size_t index = 0; index < loops.size(); ++index) {
        threads.emplace_back([&, index] {
            const auto self = std::this_thread::get_id();
            for (int round = 0; round < rounds; ++round) {
                registry.add(self, *loops[index]);
                if (registry.find(self) != loops[index].get())
                    ++mismatches;
                registry.remove(self);
                if (registry.find(self) != nullptr)
                    ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(mismatches.load(), 0);
}

} // namespace
