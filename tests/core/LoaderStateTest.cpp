// What a load does to the rest of the record: loaded, resampled, lastError and
// undo, across a run of loads, and what the record says while a load runs.
#include "tests/support/LoaderMessages.h"
#include "ScratchDirectory.h"
#include "WavBytes.h"

#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <sys/types.h>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <cstring>
#include <memory>
#include <optional>

using namespace hwd;

namespace {

using namespace WavBytes;

class LoaderState : public testing::Test {
protected:
    const char* file(const char* name, const Bytes& bytes)
    {
        paths_.push_back(directory_.write(name, bytes).string());
        return paths_.back().c_str();
    }

    const char* verbatim() { return file("verbatim.wav", monoWav(indexedSampleBytes(256))); }
    const char* reduced() { return file("reduced.wav", monoWav(indexedSampleBytes(1000))); }
    const char* stereo()
    {
        return file("stereo.wav", join({riffHeader(), formatChunk(1, 2, 16), chunk("data", Bytes(256, 0))}));
    }

    Waveshape wave_;
    WaveFileLoader loader_{wave_};

private:
    ScratchDirectory directory_;
    std::vector<std::string> paths_;
};

TEST_F(LoaderState, StartsEmpty)
{
    const Waveshape fresh;
    EXPECT_FALSE(fresh.loaded);
    EXPECT_FALSE(fresh.resampled);
    EXPECT_STREQ(fresh.lastError, "");
    EXPECT_TRUE(std::all_of(fresh.samples.begin(), fresh.samples.end(), [](auto s) { return s == 0; }));
    EXPECT_TRUE(std::all_of(fresh.undo.begin(), fresh.undo.end(), [](auto s) { return s == 0; }));
}

// The typed failure and the text left in lastError always tell the same story.
TEST_F(LoaderState, FailureNamesWhatLastErrorSays)
{
    EXPECT_EQ(loader_.failure(), LoadFailure::none);
    EXPECT_FALSE(loader_.load(stereo()));
    EXPECT_EQ(loader_.failure(), LoadFailure::notMonoPcm);
    EXPECT_TRUE(loader_.load(verbatim()));
    EXPECT_EQ(loader_.failure(), LoadFailure::none);
    EXPECT_FALSE(loader_.load(std::filesystem::path("/nonexistent/missing.wav")));
    EXPECT_EQ(loader_.failure(), LoadFailure::cannotOpen);
    EXPECT_STREQ(wave_.lastError, ExpectedMessage::cannotOpen);

    const std::pair<LoadFailure, const char*> texts[] = {
        {LoadFailure::none, ExpectedMessage::none},
        {LoadFailure::cannotOpen, ExpectedMessage::cannotOpen},
        {LoadFailure::notWav, ExpectedMessage::notWav},
        {LoadFailure::notMonoPcm, ExpectedMessage::notMonoPcm},
        {LoadFailure::not16Bit, ExpectedMessage::not16Bit},
        {LoadFailure::noData, ExpectedMessage::noData},
        {LoadFailure::short256, ExpectedMessage::short256},
        {LoadFailure::tooMany, ExpectedMessage::tooMany},
        {LoadFailure::tooFew, ExpectedMessage::tooFew},
        {LoadFailure::truncated, ExpectedMessage::truncated},
    };
    for (const auto& [failure, text] : texts)
        EXPECT_STREQ(loadFailureMessage(failure), text);
}

TEST_F(LoaderState, SuccessAfterFailureClearsTheMessage)
{
    EXPECT_FALSE(loader_.load(stereo()));
    EXPECT_STREQ(wave_.lastError, ExpectedMessage::notMonoPcm);
    EXPECT_TRUE(loader_.load(verbatim()));
    EXPECT_TRUE(wave_.loaded);
    EXPECT_STREQ(wave_.lastError, "");
}

TEST_F(LoaderState, FailureAfterSuccessEmptiesTheWave)
{
    ASSERT_TRUE(loader_.load(reduced()));
    ASSERT_TRUE(wave_.resampled);
    EXPECT_FALSE(loader_.load(stereo()));
    EXPECT_FALSE(wave_.loaded);
    EXPECT_FALSE(wave_.resampled);
    EXPECT_STREQ(wave_.lastError, ExpectedMessage::notMonoPcm);
}

TEST_F(LoaderState, VerbatimLoadAfterReducedOneIsNotResampled)
{
    ASSERT_TRUE(loader_.load(reduced()));
    ASSERT_TRUE(wave_.resampled);
    ASSERT_TRUE(loader_.load(verbatim()));
    EXPECT_FALSE(wave_.resampled);
}

TEST_F(LoaderState, FailedReloadOfMissingFile)
{
    ASSERT_TRUE(loader_.load(verbatim()));
    const std::string gone = std::string(verbatim()) + ".gone";
    EXPECT_FALSE(loader_.load(gone.c_str()));
    EXPECT_FALSE(wave_.loaded);
    EXPECT_STREQ(wave_.lastError, ExpectedMessage::cannotOpen);
}

TEST_F(LoaderState, LeavesUndoAlone)
{
    SampleArray snapshot{};
    for (std::size_t i = 0; i < snapshot.size(); ++i)
        snapshot[i] = static_cast<std::int16_t>(7 * i - 300);
    wave_.undo = snapshot;

    for (const char* path : {verbatim(), reduced(), stereo()}) {
        SCOPED_TRACE(path);
        (void)loader_.load(path);
        EXPECT_EQ(wave_.undo, snapshot);
    }
}

// A stdio stream over a byte vector that notes what the record says when the
// loader first reads from it, that is, after the load has started.
class ObservedStream final {
public:
    ObservedStream(const Bytes& bytes, const Waveshape& wave) : bytes_(bytes), wave_(wave)
    {
        const cookie_io_functions_t functions{&ObservedStream::read, nullptr, &ObservedStream::seek, nullptr};
        stream_.reset(::fopencookie(this, "rb", functions));
    }

    [[nodiscard]] std::FILE* get() const noexcept { return stream_.get(); }

    struct Seen {
        bool loaded;
        bool resampled;
        std::string lastError;
    };
    [[nodiscard]] const std::optional<Seen>& firstRead() const noexcept { return firstRead_; }

private:
    static ssize_t read(void* cookie, char* buffer, size_t size)
    {
        auto& self = *static_cast<ObservedStream*>(cookie);
        if (!self.firstRead_)
            self.firstRead_ = Seen{self.wave_.loaded, self.wave_.resampled, self.wave_.lastError};
        const std::size_t count = std::min(size, self.bytes_.size() - self.position_);
        std::memcpy(buffer, self.bytes_.data() + self.position_, count);
        self.position_ += count;
        return static_cast<ssize_t>(count);
    }

    static int seek(void* cookie, off64_t* offset, int whence)
    {
        auto& self = *static_cast<ObservedStream*>(cookie);
        const off64_t base = whence == SEEK_SET ? 0
            : whence == SEEK_CUR                ? static_cast<off64_t>(self.position_)
                                                : static_cast<off64_t>(self.bytes_.size());
        const off64_t target = base + *offset;
        if (target < 0)
            return -1;
        self.position_ = std::min(static_cast<std::size_t>(target), self.bytes_.size());
        *offset = target;
        return 0;
    }

    const Bytes& bytes_;
    const Waveshape& wave_;
    std::size_t position_ = 0;
    std::optional<Seen> firstRead_;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream_{nullptr, &std::fclose};
};

TEST_F(LoaderState, ResampledIsClearedBeforeReadingWhileLoadedWaits)
{
    ASSERT_TRUE(loader_.load(reduced()));
    ASSERT_TRUE(wave_.resampled);

    const Bytes bytes = monoWav(indexedSampleBytes(256));
    ObservedStream stream(bytes, wave_);
    ASSERT_NE(stream.get(), nullptr);
    EXPECT_TRUE(loader_.load(stream.get()));
    ASSERT_TRUE(stream.firstRead().has_value());
    EXPECT_FALSE(stream.firstRead()->resampled);
    EXPECT_TRUE(stream.firstRead()->loaded) << "loaded changes only when the load ends";
}

TEST_F(LoaderState, MessageIsClearedBeforeReadingWhileLoadedWaits)
{
    ASSERT_FALSE(loader_.load(stereo()));
    const Bytes bytes = monoWav(indexedSampleBytes(1000));
    ObservedStream stream(bytes, wave_);
    ASSERT_NE(stream.get(), nullptr);
    EXPECT_TRUE(loader_.load(stream.get()));
    ASSERT_TRUE(stream.firstRead().has_value());
    EXPECT_FALSE(stream.firstRead()->loaded);
    EXPECT_EQ(stream.firstRead()->lastError, "");
    EXPECT_TRUE(wave_.loaded);
    EXPECT_TRUE(wave_.resampled);
}

TEST_F(LoaderState, NoStreamIsAnOpenFailure)
{
    ASSERT_TRUE(loader_.load(verbatim()));
    EXPECT_FALSE(loader_.load(static_cast<std::FILE*>(nullptr)));
    EXPECT_FALSE(wave_.loaded);
    EXPECT_STREQ(wave_.lastError, ExpectedMessage::cannotOpen);
}

} // namespace
