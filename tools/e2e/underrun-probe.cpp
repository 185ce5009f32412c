// The preview's stream on a card that plays in real time, held up as a send
// holds the program's only thread: it plays the preview's tone to DEVICE,
// serviced from a poll() loop as the desktop programs service it, stops
// servicing for STALL_MS (the card runs dry and underruns), then goes on. The
// far side of a loopback card, CAPTURE, is recorded in the same loop.
//
// usage: underrun-probe DEVICE CAPTURE STALL_MS
//
// The tone is middle C, as Listen plays it, of a saw that stays above zero, so
// that every frame of it is heard as a non-zero frame and silence is zero.
// Its cycles are 183.47 frames long, so no two are sampled alike and a cycle
// lost or played twice shows as frames that differ from the tone.
//
// Every frame that came out after the first sound must be one of three: the
// tone's next frame (each heard once, in order, none left out); silence; or,
// right after the tone's frames, what the card's buffer still held: with B
// frames in the buffer and frame n - 1 the last one given, frame n - B + j
// again for the j-th frame played on. A card finds that it ran dry only at the
// end of one of its periods (later under an emulator) and plays on from its
// buffer until then: those frames are the card's doing, not the program's.
// Prints one line for the shell to evaluate:
//
//   stream=playing continued=yes gaps=1 longest_gap_ms=168.0 before_ms=1026.0
//   after_ms=1004.0 lead_ms=12.0 played_on=1 played_on_max=480
//
// stream is "stopped" when the stream gave up (its reason on stderr);
// continued is "no" when a frame was none of the three (first_break then says
// which captured frame); gaps counts the silences inside the tone, and
// longest_gap_ms is the longest, before_ms and after_ms the tone heard before
// and after it; played_on counts the times the card played on from its
// buffer, played_on_max the most frames it played so.

#include "audio/TonePreview.h"
#include "audio/alsa/AlsaPcmStream.h"
#include "bench/preview_recorder.h"
#include "wave/Waveshape.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>
#include <thread>
#include <vector>

using namespace hwd;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::uint32_t rate = 48000;
constexpr auto playing = std::chrono::milliseconds(1000);
// After the stream is closed, so that the last frames played reach the recorder.
constexpr auto tail = std::chrono::milliseconds(200);

Waveshape sawAboveZero()
{
    Waveshape wave;
    wave.loaded = true;
    for (int k = 0; k < waveshapeSampleCount; ++k)
        wave.samples[static_cast<std::size_t>(k)] = static_cast<std::int16_t>(2000 + 220 * k);
    return wave;
}

double milliseconds(std::size_t frames)
{
    return 1000.0 * static_cast<double>(frames) / rate;
}

// The stream and the recorder in one poll() loop until the time given. A
// stream that gives up says why on stderr and is closed; stopped() then holds.
class Loop final {
public:
    Loop(AlsaPcmStream& stream, PreviewRecorder& recorder) : stream_(stream), recorder_(recorder) {}

    [[nodiscard]] bool runUntil(Clock::time_point end)
    {
        for (Clock::time_point now = Clock::now(); now < end; now = Clock::now()) {
            std::vector<pollfd> descriptors = stream_.pollDescriptors();
            const std::size_t streamDescriptors = descriptors.size();
            const std::vector<pollfd> recorderDescriptors = recorder_.pollDescriptors();
            descriptors.insert(descriptors.end(), recorderDescriptors.begin(), recorderDescriptors.end());
            const auto timeout = std::chrono::ceil<std::chrono::milliseconds>(end - now).count();
            if (::poll(descriptors.data(), descriptors.size(), static_cast<int>(timeout)) < 0 && errno != EINTR) {
                std::fprintf(stderr, "underrun-probe: poll: %s\n", std::strerror(errno));
                return false;
            }
            if (const std::string problem = recorder_.read(Clock::now()); !problem.empty()) {
                std::fprintf(stderr, "underrun-probe: the recording stopped: %s\n", problem.c_str());
                return false;
            }
            const std::span<pollfd> streamFired(descriptors.data(), streamDescriptors);
            const auto fired = [](const pollfd& each) { return each.revents != 0; };
            if (std::none_of(streamFired.begin(), streamFired.end(), fired))
                continue;
            if (const std::string problem = stream_.service(streamFired); !problem.empty()) {
                std::fprintf(stderr, "underrun-probe: the stream stopped: %s\n", problem.c_str());
                stopped_ = true;
            }
        }
        return true;
    }

    [[nodiscard]] bool stopped() const noexcept { return stopped_; }

private:
    AlsaPcmStream& stream_;
    PreviewRecorder& recorder_;
    bool stopped_ = false;
};

struct Verdict {
    bool continued = true;
    std::size_t firstBreak = 0;
    std::size_t lead = 0;
    std::size_t gaps = 0;
    std::size_t longestGap = 0;
    std::size_t before = 0;
    std::size_t after = 0;
    std::size_t playedOn = 0;
    std::size_t playedOnMax = 0;
};

// Walks the capture frame by frame against the tone as the preview makes it,
// played through a buffer of bufferFrames.
Verdict judge(const std::vector<std::int16_t>& captured, const std::vector<std::int16_t>& tone,
              std::size_t bufferFrames)
{
    Verdict verdict;
    std::size_t index = 0;
    while (index < captured.size() && captured[index] == 0)
        ++index;
    verdict.lead = index;
    // The tone's next frame: every one before it has been heard.
    std::size_t next = 0;
    // Frames played on from the buffer since the tone's last one.
    std::size_t playedOn = 0;
    std::size_t silence = 0;
    std::size_t heardBeforeLongest = 0;
    for (; index < captured.size(); ++index) {
        const std::int16_t frame = captured[index];
        if (frame == 0) {
            ++silence;
            continue;
        }
        if (silence > 0) {
            ++verdict.gaps;
            if (silence > verdict.longestGap) {
                verdict.longestGap = silence;
                heardBeforeLongest = next;
            }
            silence = 0;
            playedOn = 0;
        }
        if (playedOn == 0 && next < tone.size() && frame == tone[next]) {
            ++next;
        } else if (bufferFrames > 0 && next >= bufferFrames
                   && frame == tone[next - bufferFrames + playedOn % bufferFrames]) {
            verdict.playedOn += playedOn == 0 ? 1 : 0;
            verdict.playedOnMax = std::max(verdict.playedOnMax, ++playedOn);
        } else if (playedOn > 0 && next < tone.size() && frame == tone[next]) {
            // The card was prepared again and plays the tone's next frame.
            playedOn = 0;
            ++next;
        } else {
            verdict.continued = false;
            verdict.firstBreak = index;
            break;
        }
    }
    verdict.before = heardBeforeLongest;
    verdict.after = next - heardBeforeLongest;
    return verdict;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: underrun-probe DEVICE CAPTURE STALL_MS\n");
        return 2;
    }
    const auto stall = std::chrono::milliseconds(std::atoi(argv[3]));
    const Waveshape wave = sawAboveZero();
    TonePreview source(wave);

    // Opened first, so that the first frame played is among those it takes.
    PreviewRecorder recorder;
    if (const std::string problem = recorder.open(argv[2], rate); !problem.empty()) {
        std::fprintf(stderr, "underrun-probe: cannot record %s: %s\n", argv[2], problem.c_str());
        return 1;
    }
    AlsaPcmStream stream;
    if (const std::string problem = stream.open(source, argv[1]); !problem.empty()) {
        std::fprintf(stderr, "underrun-probe: cannot open %s: %s\n", argv[1], problem.c_str());
        return 1;
    }
    const std::size_t bufferFrames = stream.bufferFrames();
    Loop loop(stream, recorder);
    if (!loop.runUntil(Clock::now() + playing))
        return 1;
    // Held up: neither the stream nor the recorder is serviced.
    std::this_thread::sleep_for(stall);
    if (!loop.runUntil(Clock::now() + playing))
        return 1;
    const bool stillPlaying = stream.isOpen() && !loop.stopped();
    stream.close();
    if (!loop.runUntil(Clock::now() + tail))
        return 1;

    std::vector<std::int16_t> tone(static_cast<std::size_t>(source.framesMade()));
    TonePreview reference(wave);
    reference.fill(tone);
    const Verdict verdict = judge(recorder.frames(), tone, bufferFrames);
    std::printf("stream=%s continued=%s gaps=%zu longest_gap_ms=%.1f before_ms=%.1f after_ms=%.1f lead_ms=%.1f "
                "played_on=%zu played_on_max=%zu",
                stillPlaying ? "playing" : "stopped", verdict.continued ? "yes" : "no", verdict.gaps,
                milliseconds(verdict.longestGap), milliseconds(verdict.before), milliseconds(verdict.after),
                milliseconds(verdict.lead), verdict.playedOn, verdict.playedOnMax);
    if (!verdict.continued)
        std::printf(" first_break=%zu", verdict.firstBreak);
    std::printf("\n");
    return 0;
}
