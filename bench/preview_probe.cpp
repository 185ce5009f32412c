// How soon an edit of the wave is heard while Listen plays, and what playing
// costs: the preview's stream on an audio output that plays in real time,
// driven by a plain poll() loop as the desktop programs drive it from their
// event loops. Once in every 100 ms the wave flips between two shapes, as a
// pen stroke or a Tweaker button would change it.
//
// usage: preview-probe [--device NAME] [--seconds S] [--capture NAME]
//        (defaults: default, 5, no capture)
//
// Prints one line per figure:
//   latency_ms min=.. median=.. max=.. edits=N unmeasured=U
//       from an edit until the first frame made after it reaches the output:
//       the time until the next write plus, at that write, the frames queued
//       ahead of it (ALSA's delay and what was made but not yet taken)
//   queued_at_edit_ms min=.. median=.. max=..
//       what was queued at the moment of the edit: the same latency as the
//       device sees it, since the device plays on while the program waits
//   edit_to_write_ms min=.. median=.. max=..
//   cpu_percent=..              user + system time over wall time, of one core
//   services_per_second=..
//   cpu_percent_of_tone_made=..  the same time over the seconds of tone made
// With --capture, the far side of a loopback card is recorded in the same loop
// and two lines more tell what came out of it:
//   capture frames=.. lead=.. compared=.. mismatched=..
//       frames that differ from the tone with each edit from its first frame
//   capture_latency_ms min=.. median=.. max=..
//       from an edit until its first frame came out of the far side
// On a device that takes everything at once (a file over null) the loop runs
// unpaced and cpu_percent is the cost of making and writing the tone as fast
// as the device takes it, not the cost of listening.

#include "audio/TonePreview.h"
#include "audio/alsa/AlsaPcmStream.h"
#include "preview_recorder.h"
#include "wave/ToneRender.h"
#include "wave/Waveshape.h"

#include <poll.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numbers>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

using namespace hwd;
using Clock = std::chrono::steady_clock;

namespace {

constexpr auto editInterval = std::chrono::milliseconds(100);
// Each edit falls at a point of its own in its 100 ms, so that the edits meet
// the device's cycle of periods at every phase instead of always at the same
// one (a device whose services come every 10 or 20 ms would otherwise be met
// at one point of its cycle only). Fixed seed: the same points on every run.
constexpr int editSpreadMicroseconds = 50000;

struct Options {
    std::string device = "default";
    double seconds = 5.0;
    // The far side of a loopback card, to hear what was played; none when empty.
    std::string capture;
};

struct Edit {
    Clock::time_point at;
    // The number of the first frame made after it; none while none was made.
    std::optional<std::uint64_t> firstFrame;
};

std::optional<Options> parse(int argc, char** argv)
{
    Options options;
    for (int k = 1; k < argc; ++k) {
        const std::string name = argv[k];
        if (k + 1 >= argc)
            return std::nullopt;
        const char* value = argv[++k];
        if (name == "--device") {
            options.device = value;
        } else if (name == "--capture") {
            options.capture = value;
        } else if (name == "--seconds") {
            char* end = nullptr;
            options.seconds = std::strtod(value, &end);
            if (*end != '\0' || !(options.seconds > 0.0))
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return options;
}

// The two shapes the edits flip between: one cycle of a sine and a square.
SampleArray sineShape()
{
    SampleArray samples{};
    for (int k = 0; k < waveshapeSampleCount; ++k)
        samples[k] = static_cast<std::int16_t>(std::lround(30000.0 * std::sin(2.0 * std::numbers::pi * k / 128.0)));
    return samples;
}

SampleArray squareShape()
{
    SampleArray samples{};
    std::fill(samples.begin(), samples.begin() + waveshapeSampleCount / 2, std::int16_t{30000});
    std::fill(samples.begin() + waveshapeSampleCount / 2, samples.end(), std::int16_t{-30000});
    return samples;
}

double milliseconds(Clock::duration span)
{
    return std::chrono::duration<double, std::milli>(span).count();
}

double cpuSeconds()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& time) { return time.tv_sec + time.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void printSpread(const char* name, std::vector<double> values, const char* more = "")
{
    if (values.empty()) {
        std::printf("%s none%s\n", name, more);
        return;
    }
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    const double median = values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
    std::printf("%s min=%.2f median=%.2f max=%.2f%s\n", name, values.front(), median, values.back(), more);
}

// What came out of the loopback's far side, laid against what was played: the
// tone starts at the first frame that is not silent (the square's first frame
// is not), each edit's shape from the edit's first frame on. Prints
// "capture frames=.. lead=.. compared=.. mismatched=.." and, for every edit
// whose first frame came out, the time from the edit until it did.
void printRecording(const PreviewRecorder& recorder, const SampleArray (&shapes)[2], const std::vector<Edit>& edits,
                    std::uint32_t rate)
{
    const std::vector<std::int16_t>& frames = recorder.frames();
    const auto firstSound = std::find_if(frames.begin(), frames.end(), [](std::int16_t frame) { return frame != 0; });
    const std::size_t lead = static_cast<std::size_t>(firstSound - frames.begin());
    const double hz = ToneRender::noteFrequency(previewNote);
    std::size_t mismatched = 0;
    std::size_t shape = 0;
    std::size_t nextEdit = 0;
    for (std::size_t index = lead; index < frames.size(); ++index) {
        const std::uint64_t frame = index - lead;
        for (; nextEdit < edits.size() && edits[nextEdit].firstFrame && *edits[nextEdit].firstFrame <= frame;
             ++nextEdit)
            shape = 1 - shape;
        if (frames[index] != halfLevel(ToneRender::frame(shapes[shape], frame, hz, rate)))
            ++mismatched;
    }
    std::printf("capture frames=%zu lead=%zu compared=%zu mismatched=%zu\n", frames.size(), lead,
                frames.size() - lead, mismatched);

    std::vector<double> latencies;
    for (std::size_t k = 0; k < edits.size(); ++k) {
        // Of several edits before one write, only the last is heard.
        const bool superseded = k + 1 < edits.size() && edits[k + 1].firstFrame == edits[k].firstFrame;
        if (!edits[k].firstFrame || superseded || lead == frames.size())
            continue;
        const std::size_t index = lead + *edits[k].firstFrame;
        if (index < frames.size())
            latencies.push_back(milliseconds(recorder.cameOut(index) - edits[k].at));
    }
    printSpread("capture_latency_ms", latencies);
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: preview-probe [--device NAME] [--seconds S] [--capture NAME]\n");
        return 2;
    }
    const SampleArray shapes[2] = {squareShape(), sineShape()};
    Waveshape wave;
    wave.loaded = true;
    wave.samples = shapes[0];
    TonePreview source(wave);
    const double framesPerMs = source.rate() / 1000.0;

    // Opened first, so that the first frame played is among those it takes.
    PreviewRecorder recorder;
    if (!options->capture.empty()) {
        if (const std::string problem = recorder.open(options->capture.c_str(), source.rate()); !problem.empty()) {
            std::fprintf(stderr, "preview-probe: cannot record %s: %s\n", options->capture.c_str(), problem.c_str());
            return 1;
        }
    }
    AlsaPcmStream stream;
    if (const std::string problem = stream.open(source, options->device.c_str()); !problem.empty()) {
        std::fprintf(stderr, "preview-probe: cannot open %s: %s\n", options->device.c_str(), problem.c_str());
        return 1;
    }
    // Held for the whole playing, as the desktop programs hold their notifiers:
    // the stream's first, then the recorder's.
    std::vector<pollfd> descriptors = stream.pollDescriptors();
    const std::size_t streamDescriptors = descriptors.size();
    if (streamDescriptors == 0) {
        std::fprintf(stderr, "preview-probe: the stream has no descriptors to wait on\n");
        return 1;
    }
    if (!options->capture.empty()) {
        const std::vector<pollfd> recorderDescriptors = recorder.pollDescriptors();
        descriptors.insert(descriptors.end(), recorderDescriptors.begin(), recorderDescriptors.end());
    }
    const std::span<pollfd> streamFired(descriptors.data(), streamDescriptors);

    std::vector<Edit> edits;
    edits.reserve(static_cast<std::size_t>(options->seconds * 10) + 2);
    std::vector<double> latencies;
    std::vector<double> queuedAtEdit;
    std::vector<double> editToWrite;
    int unmeasured = 0;
    long services = 0;
    // The edits whose first frame has not been made yet: the last ones.
    std::size_t firstPending = 0;

    const double cpuAtStart = cpuSeconds();
    const Clock::time_point start = Clock::now();
    const Clock::time_point end =
        start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(options->seconds));
    std::minstd_rand editPoints(2024);
    const auto editTime = [&](std::size_t slot) {
        return start + static_cast<int>(slot) * editInterval
            + std::chrono::microseconds(editPoints() % editSpreadMicroseconds);
    };
    Clock::time_point nextEdit = editTime(1);
    for (Clock::time_point now = start; now < end;) {
        const Clock::duration untilWake = std::min(nextEdit, end) - now;
        const auto timeout = std::chrono::ceil<std::chrono::milliseconds>(untilWake).count();
        const int fired =
            ::poll(descriptors.data(), descriptors.size(), static_cast<int>(std::max<long long>(timeout, 0)));
        if (fired < 0 && errno != EINTR) {
            std::fprintf(stderr, "preview-probe: poll: %s\n", std::strerror(errno));
            return 1;
        }
        now = Clock::now();
        if (!options->capture.empty()) {
            if (const std::string problem = recorder.read(now); !problem.empty()) {
                std::fprintf(stderr, "preview-probe: the recording stopped: %s\n", problem.c_str());
                return 1;
            }
        }
        if (std::any_of(streamFired.begin(), streamFired.end(), [](const pollfd& each) { return each.revents != 0; })) {
            // The first frame made after an edit goes behind everything queued now.
            const std::optional<long> queued = stream.queuedFrames();
            const std::uint64_t madeBefore = source.framesMade();
            if (const std::string problem = stream.service(streamFired); !problem.empty()) {
                std::fprintf(stderr, "preview-probe: the stream stopped: %s\n", problem.c_str());
                return 1;
            }
            ++services;
            if (firstPending < edits.size() && source.framesMade() > madeBefore) {
                // Only the latest of several edits before one write is heard.
                const Edit& heard = edits.back();
                if (queued) {
                    latencies.push_back(milliseconds(now - heard.at) + *queued / framesPerMs);
                    editToWrite.push_back(milliseconds(now - heard.at));
                }
                unmeasured += static_cast<int>(edits.size() - firstPending) - (queued ? 1 : 0);
                for (; firstPending < edits.size(); ++firstPending)
                    edits[firstPending].firstFrame = madeBefore;
            }
        }
        if (now >= nextEdit && now < end) {
            wave.samples = shapes[(edits.size() + 1) % 2];
            edits.push_back({now, std::nullopt});
            if (const std::optional<long> queued = stream.queuedFrames())
                queuedAtEdit.push_back(*queued / framesPerMs);
            nextEdit = editTime(edits.size() + 1);
        }
    }
    const double wallSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double cpu = cpuSeconds() - cpuAtStart;
    stream.close();

    std::printf("preview-probe device=%s seconds=%.2f rate=%u frames=%llu\n", options->device.c_str(), wallSeconds,
                source.rate(), static_cast<unsigned long long>(source.framesMade()));
    char counts[64];
    std::snprintf(counts, sizeof counts, " edits=%zu unmeasured=%d", edits.size(), unmeasured);
    printSpread("latency_ms", latencies, counts);
    printSpread("queued_at_edit_ms", queuedAtEdit);
    printSpread("edit_to_write_ms", editToWrite);
    std::printf("cpu_percent=%.3f\n", 100.0 * cpu / wallSeconds);
    std::printf("services_per_second=%.1f\n", services / wallSeconds);
    // The same time over the seconds of tone made: on a real-time device the
    // same figure, on one that takes everything at once the cost of the tone.
    std::printf("cpu_percent_of_tone_made=%.3f\n",
                100.0 * cpu / (static_cast<double>(source.framesMade()) / source.rate()));
    if (!options->capture.empty())
        printRecording(recorder, shapes, edits, source.rate());
    return latencies.empty() ? 1 : 0;
}
