#include "Recording.h"

#include "RecordingChunks.h"
#include "RegularFile.h"
#include "SampleFormat.h"
#include "StreamReader.h"
#include "WaveFileLoader.h"

#include <algorithm>
#include <cstdio>
#include <memory>

namespace hwd {

namespace {

// The data is read in blocks of about this size, so that a recording of
// hundreds of megabytes costs its frames and no more.
constexpr std::size_t blockBytes = 64 * 1024;

RecordingRead refused(const std::string& sentence)
{
    return {std::nullopt, "Failed to import wave file. " + sentence};
}

// "12:00", or "1:05:00" from an hour on; whole seconds, rounded down.
std::string durationText(std::uint64_t frames, std::uint32_t rate)
{
    const std::uint64_t seconds = frames / rate;
    const auto twoDigits = [](std::uint64_t value) { return (value < 10 ? "0" : "") + std::to_string(value); };
    const std::string minutes =
        seconds >= 3600 ? std::to_string(seconds / 3600) + ":" + twoDigits(seconds / 60 % 60) : std::to_string(seconds / 60);
    return minutes + ":" + twoDigits(seconds % 60);
}

std::string tooLong(std::uint64_t frames, std::uint32_t rate)
{
    return "File is " + durationText(frames, rate) + " long (" + std::to_string(frames)
        + " frames); at most 10 minutes at 48 kHz (" + std::to_string(maximumRecordingFrames)
        + " frames) can be imported.";
}

// Reads the frames block by block and mixes each to mono as it comes. A read
// that stops early (the file shrank meanwhile) keeps the frames before it.
std::vector<float> readFrames(StreamReader& file, const RecordingChunks::Data& data, const SampleFormat& format,
                              std::uint64_t frameCount)
{
    const std::size_t frameBytes = format.frameBytes();
    const std::size_t framesPerBlock = std::max<std::size_t>(1, blockBytes / frameBytes);
    std::vector<unsigned char> block(framesPerBlock * frameBytes);
    std::vector<float> frames;
    frames.reserve(frameCount);
    std::uint64_t offset = data.offset;
    while (frames.size() < frameCount) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(framesPerBlock, frameCount - frames.size()));
        const std::size_t got = file.readAt(offset, block.data(), wanted * frameBytes) / frameBytes;
        frames.resize(frames.size() + got);
        mixToMono(format, block.data(), std::span<float>(frames).last(got));
        offset += got * frameBytes;
        if (got < wanted)
            break;
    }
    return frames;
}

// The loop when it lies within the frames and ends after it starts.
std::optional<LoopPoints> loopWithin(const std::optional<RecordingChunks::Loop>& loop, std::size_t frameCount)
{
    if (!loop || loop->end <= loop->start || loop->end >= frameCount)
        return std::nullopt;
    return LoopPoints{loop->start, loop->end};
}

RecordingRead readFrom(StreamReader& file)
{
    const RecordingChunks chunks = findRecordingChunks(file);
    if (!chunks.riffWave)
        return refused("File does not appear to be a WAV file.");
    if (!chunks.format || chunks.format->size < 16)
        return refused("File has no complete format chunk.");
    const SampleFormatRead read = readSampleFormat(std::span(chunks.format->bytes).first(chunks.format->size));
    if (!read.format)
        return refused(read.refusal);
    const SampleFormat& format = *read.format;
    if (!chunks.data)
        return refused("File has no data chunk.");

    // A data chunk that declares more than the file holds is a cut-off
    // recording: its whole frames are still worth having.
    const std::uint64_t frameCount = chunks.data->bytes / format.frameBytes();
    if (frameCount == 0)
        return refused("File holds no samples.");
    if (frameCount > maximumRecordingFrames)
        return refused(tooLong(frameCount, format.rate));

    Recording recording;
    recording.rate = format.rate;
    recording.channels = format.channels;
    recording.bitsPerSample = format.bitsPerSample;
    recording.isFloat = format.isFloat;
    recording.extensible = format.extensible;
    recording.frames = readFrames(file, *chunks.data, format, frameCount);
    if (recording.frames.empty())
        return refused("File holds no samples.");
    recording.loop = loopWithin(chunks.loop, recording.frames.size());
    return {std::move(recording), {}};
}

} // namespace

RecordingRead readRecording(const std::filesystem::path& path)
{
    std::uint64_t length = 0;
    if (path.empty() || !isRegularFile(path, length))
        return {std::nullopt, loadFailureMessage(LoadFailure::cannotOpen)};
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(openForReading(path), &std::fclose);
    if (!stream)
        return {std::nullopt, loadFailureMessage(LoadFailure::cannotOpen)};
    StreamReader file(stream.get(), length);
    return readFrom(file);
}

RecordingRead readRecording(std::FILE* stream)
{
    if (stream == nullptr)
        return {std::nullopt, loadFailureMessage(LoadFailure::cannotOpen)};
    StreamReader file(stream, StreamReader::measureLength(stream));
    return readFrom(file);
}

} // namespace hwd
