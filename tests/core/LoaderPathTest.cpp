// Paths that name no regular file, paths longer than the old 256-character
// limit, and real files whose chunks declare 2 GB and more.
#include "tests/support/LoaderMessages.h"
#include "ScratchDirectory.h"
#include "WavBytes.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

using namespace hwd;

namespace {

using namespace WavBytes;

const Bytes goodFile = monoWav(indexedSampleBytes(256));

struct PathOutcome {
    bool result;
    Waveshape wave;
};

// Loads after a successful load, so that a failure has something to undo.
PathOutcome loadAfterGoodFile(const ScratchDirectory& directory, const std::filesystem::path& path)
{
    PathOutcome outcome{};
    WaveFileLoader loader(outcome.wave);
    const auto good = directory.write("good.wav", goodFile);
    EXPECT_TRUE(loader.load(good.c_str()));
    outcome.result = loader.load(path);
    return outcome;
}

// A FIFO would block an open for reading until a writer came; the loader
// must refuse it without opening it, so this test returns at once.
TEST(LoaderPath, NonRegularFilesFailAtOnceWithTheOpenMessage)
{
    const ScratchDirectory directory;
    const std::string fifo = (directory.path() / "pipe.wav").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string subdirectory = (directory.path() / "folder.wav").string();
    std::filesystem::create_directory(subdirectory);
    const std::string missing = (directory.path() / "missing.wav").string();
    const std::string danglingLink = (directory.path() / "dangling.wav").string();
    std::filesystem::create_symlink(missing, danglingLink);

    for (const char* path : {fifo.c_str(), subdirectory.c_str(), "/dev/null", "/dev/zero", missing.c_str(),
                             danglingLink.c_str(), ""}) {
        SCOPED_TRACE(path);
        const PathOutcome outcome = loadAfterGoodFile(directory, path);
        EXPECT_FALSE(outcome.result);
        EXPECT_FALSE(outcome.wave.loaded);
        EXPECT_STREQ(outcome.wave.lastError, ExpectedMessage::cannotOpen);
    }
}

TEST(LoaderPath, UnreadableFileFailsWithTheOpenMessage)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their mode";
    const ScratchDirectory directory;
    const auto path = directory.write("locked.wav", goodFile);
    std::filesystem::permissions(path, std::filesystem::perms::none);
    const PathOutcome outcome = loadAfterGoodFile(directory, path.c_str());
    EXPECT_FALSE(outcome.result);
    EXPECT_STREQ(outcome.wave.lastError, ExpectedMessage::cannotOpen);
}

TEST(LoaderPath, SymbolicLinkToAWavFileLoads)
{
    const ScratchDirectory directory;
    const auto target = directory.write("target.wav", goodFile);
    const auto link = directory.path() / "link.wav";
    std::filesystem::create_symlink(target, link);
    Waveshape wave;
    WaveFileLoader loader(wave);
    EXPECT_TRUE(loader.load(link.c_str()));
}

TEST(LoaderPath, PathLongerThan256CharactersLoads)
{
    const ScratchDirectory directory;
    std::filesystem::path deep = directory.path();
    while (deep.string().size() < 600)
        deep /= std::string(40, 'd');
    std::filesystem::create_directories(deep);
    const auto file = deep / "a-wave-file-with-a-long-name.wav";
    std::filesystem::copy_file(directory.write("short.wav", goodFile), file);
    ASSERT_GT(file.string().size(), 600u);

    Waveshape wave;
    WaveFileLoader loader(wave);
    EXPECT_TRUE(loader.load(file.c_str()));
    EXPECT_STREQ(wave.lastError, "");
    EXPECT_EQ(wave.samples[127], 127);
}

// A file that really holds a chunk of 2^31 bytes or more, written sparse so
// that it takes no room on disk: the walk must step over it, forward.
class LoaderHugeChunk : public testing::TestWithParam<std::uint32_t> {};

TEST_P(LoaderHugeChunk, IsSteppedOverWhenTheFileHoldsIt)
{
    const std::uint32_t declared = GetParam();
    const ScratchDirectory directory;
    const auto path = directory.path() / "huge.wav";
    const Bytes head = join({riffHeader(), chunk("JUNK", declared)});
    const Bytes tail = join({formatChunk(), chunk("data", indexedSampleBytes(256))});

    const int descriptor = ::open(path.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    ASSERT_GE(descriptor, 0);
    const off_t tailAt = static_cast<off_t>(head.size()) + static_cast<off_t>(declared);
    const bool written = ::pwrite(descriptor, head.data(), head.size(), 0) == static_cast<ssize_t>(head.size())
        && ::pwrite(descriptor, tail.data(), tail.size(), tailAt) == static_cast<ssize_t>(tail.size());
    struct stat info {};
    ::fstat(descriptor, &info);
    ::close(descriptor);
    ASSERT_TRUE(written);
    if (static_cast<std::uint64_t>(info.st_blocks) * 512 > (1u << 24))
        GTEST_SKIP() << "this file system does not keep files sparse";

    Waveshape wave;
    WaveFileLoader loader(wave);
    EXPECT_TRUE(loader.load(path.c_str()));
    EXPECT_STREQ(wave.lastError, "");
    EXPECT_EQ(wave.samples[100], 100);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LoaderHugeChunk, testing::Values(0x80000000u, 0xFFFFFFFFu, 0xFFFFFFF8u),
                         [](const testing::TestParamInfo<std::uint32_t>& info) {
                             return "Size" + std::to_string(info.param);
                         });

} // namespace
