// Loading, building the dump and every operation run without allocating: the
// scratch buffer, the dump buffer and the record are all static. This
// executable counts every call of the global operator new and new[].
//
// The FILE that fopen returns comes from the C runtime's malloc, not from
// operator new, so it is not counted here; it is the platform's, and is
// released by the fclose of the same load.
#include "CountingAllocator.h"
#include "ScratchDirectory.h"
#include "WavBytes.h"

#include "transfer/WaveDumpMessage.h"
#include "wave/WaveFileLoader.h"
#include "wave/WaveOperations.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace hwd;

namespace {

using CountingAllocator::allocationsDuring;
using namespace WavBytes;

// Where the results go, so that the compiler cannot leave the allocations out.
void* volatile escaped = nullptr;

TEST(AllocationCounter, SeesOperatorNew)
{
    EXPECT_EQ(allocationsDuring([] {
                  const auto one = std::make_unique<int>(1);
                  escaped = one.get();
              }),
              1u);
    EXPECT_EQ(allocationsDuring([] {
                  const std::vector<char> bytes(1000);
                  escaped = const_cast<char*>(bytes.data());
              }),
              1u);
    EXPECT_EQ(allocationsDuring([] {
                  const auto many = std::make_unique<int[]>(10);
                  escaped = many.get();
              }),
              1u);
}

class NoAllocation : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        directory_ = std::make_unique<ScratchDirectory>();
        longest_ = directory_->write("longest.wav", monoWav(indexedSampleBytes(131070))).string();
        verbatim_ = directory_->write("verbatim.wav", monoWav(indexedSampleBytes(256))).string();
        refused_ = directory_->write("stereo.wav", join({riffHeader(), formatChunk(1, 2, 16)})).string();
    }

    static void TearDownTestSuite() { directory_.reset(); }

    static std::unique_ptr<ScratchDirectory> directory_;
    static std::string longest_;
    static std::string verbatim_;
    static std::string refused_;
};

std::unique_ptr<ScratchDirectory> NoAllocation::directory_;
std::string NoAllocation::longest_;
std::string NoAllocation::verbatim_;
std::string NoAllocation::refused_;

TEST_F(NoAllocation, Loading)
{
    Waveshape wave;
    WaveFileLoader loader(wave);
    for (const std::string* path : {&longest_, &verbatim_, &refused_}) {
        SCOPED_TRACE(*path);
        // The path object is the caller's; only the load itself is counted.
        const std::filesystem::path name = *path;
        bool loaded = false;
        EXPECT_EQ(allocationsDuring([&] { loaded = loader.load(name); }), 0u);
        EXPECT_EQ(loaded, path != &refused_);
    }
}

TEST_F(NoAllocation, BuildingTheDump)
{
    Waveshape wave;
    wave.samples.fill(-1);
    EXPECT_EQ(allocationsDuring([&] { (void)WaveDumpMessage::build(wave, 127); }), 0u);
}

TEST_F(NoAllocation, Operations)
{
    const std::pair<const char*, void (*)(Waveshape&)> operations[] = {
        {"filter", &WaveOperations::filter},
        {"normalize", &WaveOperations::normalize},
        {"additive", &WaveOperations::additive},
        {"randomPD", [](Waveshape& wave) { WaveOperations::randomPD(wave, WaveOperations::millisecondTicks()); }},
        {"clear", &WaveOperations::clear},
        {"undoLast", &WaveOperations::undoLast},
        {"takeSnapshot", &WaveOperations::takeSnapshot},
    };
    Waveshape wave;
    for (std::size_t i = 0; i < wave.samples.size(); ++i)
        wave.samples[i] = static_cast<std::int16_t>(i * 517);
    for (const auto& [name, operation] : operations) {
        SCOPED_TRACE(name);
        EXPECT_EQ(allocationsDuring([&] { operation(wave); }), 0u);
    }
}

} // namespace
