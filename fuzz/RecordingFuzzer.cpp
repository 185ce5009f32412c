// Feeds arbitrary bytes to the recording reader through a stdio stream over
// memory and checks what must hold for every file: a recording or a message of
// the reader's own, never both; a recording's frames within the limit, its
// format a supported one, its loop within its frames; and the same bytes read
// twice give the same result.
#include "wave/Recording.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "recording_fuzzer: %s\n", what);
        std::abort();
    }
}

hwd::RecordingRead read(const std::uint8_t* data, std::size_t size)
{
    // fmemopen wants a writable-typed buffer even for reading, and an address
    // even for an empty file.
    static char nothing = 0;
    char* buffer = size == 0 ? &nothing : reinterpret_cast<char*>(const_cast<std::uint8_t*>(data));
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(::fmemopen(buffer, size, "rb"), &std::fclose);
    require(stream != nullptr, "fmemopen failed");
    return hwd::readRecording(stream.get());
}

bool sameFrames(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const hwd::RecordingRead first = read(data, size);
    require(first.recording.has_value() == first.error.empty(), "a recording and a message, or neither");
    if (first.recording) {
        const hwd::Recording& recording = *first.recording;
        require(!recording.frames.empty() && recording.frames.size() <= hwd::maximumRecordingFrames,
                "a recording without frames or with too many");
        require(recording.channels >= 1 && recording.channels <= 8 && recording.rate > 0, "an unsupported layout");
        require(recording.frames.size() * recording.channels * (recording.bitsPerSample / 8u) <= size,
                "more frames than the bytes hold");
        require(!recording.loop || (recording.loop->start < recording.loop->end
                                    && recording.loop->end < recording.frames.size()),
                "a loop outside the frames");
    } else {
        require(first.error.starts_with("Failed to import wave file. File") && first.error.ends_with("."),
                "a message not in the reader's words");
    }

    const hwd::RecordingRead second = read(data, size);
    require(second.error == first.error, "the same bytes gave another message");
    require(!first.recording || sameFrames(second.recording->frames, first.recording->frames),
            "the same bytes gave other frames");
    return 0;
}
