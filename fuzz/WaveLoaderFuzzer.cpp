// Feeds arbitrary bytes to the WAV loader through a stdio stream over memory
// and checks what must hold for every file: the result, loaded and lastError
// agree, a failure names one of the loader's own messages, and loading the
// same bytes again gives the same wave.
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

bool isLoaderMessage(const char* text)
{
    using enum hwd::LoadFailure;
    // A stream that is open cannot fail to open, so cannotOpen is not listed.
    for (const hwd::LoadFailure failure : {notWav, notMonoPcm, not16Bit, noData, short256, tooMany, tooFew, truncated})
        if (std::strcmp(text, hwd::loadFailureMessage(failure)) == 0)
            return true;
    return false;
}

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "wave_loader_fuzzer: %s\n", what);
        std::abort();
    }
}

struct Outcome {
    bool result;
    hwd::Waveshape wave;
    hwd::LoadFailure failure = hwd::LoadFailure::none;
};

Outcome load(const std::uint8_t* data, std::size_t size, const hwd::Waveshape& start)
{
    Outcome outcome{false, start};
    // fmemopen wants a writable-typed buffer even for reading, and an address
    // even for an empty file.
    static char nothing = 0;
    char* buffer = size == 0 ? &nothing : reinterpret_cast<char*>(const_cast<std::uint8_t*>(data));
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> stream(::fmemopen(buffer, size, "rb"), &std::fclose);
    require(stream != nullptr, "fmemopen failed");
    hwd::WaveFileLoader loader(outcome.wave);
    outcome.result = loader.load(stream.get());
    outcome.failure = loader.failure();
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Start from a loaded, resampled wave with a stale message, as after an
    // earlier load, so that whatever the load must reset is seen to be reset.
    hwd::Waveshape start;
    start.loaded = true;
    start.resampled = true;
    start.lastError = hwd::loadFailureMessage(hwd::LoadFailure::notWav);
    start.samples.fill(0x1234);
    start.undo.fill(-7);

    const Outcome first = load(data, size, start);
    const hwd::Waveshape& wave = first.wave;
    require(first.result == wave.loaded, "the result differs from loaded");
    require(wave.lastError != nullptr, "lastError is null");
    require(wave.loaded == (wave.lastError[0] == '\0'), "loaded and an empty lastError disagree");
    require(wave.loaded || isLoaderMessage(wave.lastError), "a failure left an unknown message");
    require(std::strcmp(hwd::loadFailureMessage(first.failure), wave.lastError) == 0, "the failure and lastError disagree");
    require(wave.loaded || !wave.resampled, "a failure left resampled set");
    require(wave.undo == start.undo, "a load changed undo");

    const Outcome second = load(data, size, start);
    require(second.result == first.result, "the same bytes loaded differently");
    require(std::strcmp(second.wave.lastError, wave.lastError) == 0, "the same bytes gave another message");
    require(!wave.loaded || second.wave.samples == wave.samples, "the same bytes gave another wave");
    require(!wave.loaded || second.wave.resampled == wave.resampled, "the same bytes differ in resampled");
    return 0;
}
