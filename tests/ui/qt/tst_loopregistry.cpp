// The registry through which a window finds its thread's message loop.

#include "app/LoopRegistry.h"
#include "ui/qt/MessageLoop.h"

#include <QTest>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class TestLoopRegistry final : public QObject {
    Q_OBJECT

private slots:
    void emptyFindsNothing();
    void findsTheLoopOfItsThread();
    void firstPairOfAThreadWins();
    void removingAnUnknownThreadChangesNothing();
    void threadsEachFindTheirOwnLoop();
};

void TestLoopRegistry::emptyFindsNothing()
{
    const LoopRegistry registry;
    QVERIFY(registry.find(std::this_thread::get_id()) == nullptr);
}

void TestLoopRegistry::findsTheLoopOfItsThread()
{
    LoopRegistry registry;
    MessageLoop loop;
    registry.add(std::this_thread::get_id(), loop);
    QCOMPARE(registry.find(std::this_thread::get_id()), &loop);
    registry.remove(std::this_thread::get_id());
    QVERIFY(registry.find(std::this_thread::get_id()) == nullptr);
}

void TestLoopRegistry::firstPairOfAThreadWins()
{
    LoopRegistry registry;
    MessageLoop first;
    MessageLoop second;
    const auto thread = std::this_thread::get_id();
    registry.add(thread, first);
    registry.add(thread, second);
    QCOMPARE(registry.find(thread), &first);
    registry.remove(thread);
    QCOMPARE(registry.find(thread), &second);
    registry.remove(thread);
    QVERIFY(registry.find(thread) == nullptr);
}

void TestLoopRegistry::removingAnUnknownThreadChangesNothing()
{
    LoopRegistry registry;
    MessageLoop loop;
    registry.add(std::this_thread::get_id(), loop);
    std::thread other([&registry] { registry.remove(std::this_thread::get_id()); });
    other.join();
    QCOMPARE(registry.find(std::this_thread::get_id()), &loop);
}

// Many threads add, find and remove at once; each sees only its own loop.
void TestLoopRegistry::threadsEachFindTheirOwnLoop()
{
    LoopRegistry registry;
    constexpr int threadCount = 8;
    constexpr int rounds = 2000;
    std::vector<std::unique_ptr<MessageLoop>> loops;
    for (int index = 0; index < threadCount; ++index)
        loops.push_back(std::make_unique<MessageLoop>());
    std::atomic<int> mismatches{0};

    std::vector<std::thread> threads;
    for (int index = 0; index < threadCount; ++index) {
        threads.emplace_back([&, index] {
            const auto self = std::this_thread::get_id();
            for (int round = 0; round < rounds; ++round) {
                registry.add(self, *loops[static_cast<std::size_t>(index)]);
                if (registry.find(self) != loops[static_cast<std::size_t>(index)].get())
                    ++mismatches;
                registry.remove(self);
                if (registry.find(self) != nullptr)
                    ++mismatches;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    QCOMPARE(mismatches.load(), 0);
}

QTEST_MAIN(TestLoopRegistry)
#include "tst_loopregistry.moc"
