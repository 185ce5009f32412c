// Listen in the Win32 program on wine's own waveOut device, which reaches ALSA:
// the tests' capturing ALSA configuration (ALSA_CONFIG_PATH, HWD_ALSA_CAPTURE)
// writes what the device was given into a WAV file. The device hands each
// buffer back as MM_WOM_DONE to the output's own window through the program's
// message loop; only when the output refills and queues it again does the
// tone run on unbroken.
#include "PcmWaveFile.h"
#include "support/TestWaves.h"

#include "app/ListenToggle.h"
#include "ui/win32/MessageLoop.h"
#include "ui/win32/WaveOutPreviewOutput.h"
#include "wave/WaveFileLoader.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t rate = 48000;
// The preview's buffers: the tone changes only where one is filled.
constexpr std::size_t framesPerBuffer = 480;
// Played before each change: long enough for the buffers to have gone round
// many times.
constexpr std::size_t framesBeforeEachChange = rate * 3 / 10;

// The capture file as wine names it: HWD_ALSA_CAPTURE holds a Linux path.
fs::path captureFile()
{
    char unixPath[4096] = {};
    const DWORD length = GetEnvironmentVariableA("HWD_ALSA_CAPTURE", unixPath, sizeof unixPath);
    using ToDosName = LPWSTR(CDECL*)(LPCSTR);
    const auto toDosName = reinterpret_cast<ToDosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (length == 0 || length >= sizeof unixPath || toDosName == nullptr)
        return {};
    const LPWSTR dosName = toDosName(unixPath);
    if (dosName == nullptr)
        return {};
    fs::path path(dosName);
    HeapFree(GetProcessHeap(), 0, dosName);
    return path;
}

// The frames the file plugin has written so far (the header comes first).
std::size_t framesWritten(const fs::path& capture)
{
    std::error_code error;
    const std::uintmax_t size = fs::file_size(capture, error);
    return error || size < 44 ? 0 : static_cast<std::size_t>((size - 44) / 2);
}

// Frame k of the tone of samples at middle C, at half level, worked out in
// long double from the note's frequency. The program works in double, so where
// the exact value lies within a hair of a half the two can round to
// neighbours: frames are compared to within 1.
int expectedFrame(const std::vector<std::int16_t>& samples, std::size_t k)
{
    const long double hz = 440.0L * std::pow(2.0L, -9.0L / 12.0L);
    const long double place = std::fmod(static_cast<long double>(k) * hz * 128.0L / rate, 128.0L);
    const auto below = static_cast<std::size_t>(place);
    const long double from = samples[below];
    const long double to = samples[(below + 1) % samples.size()];
    const long double fullLevel = std::round(from + (to - from) * (place - below));
    return static_cast<int>(std::round(fullLevel / 2.0L));
}

bool matches(const std::vector<std::int16_t>& samples, const std::vector<std::int16_t>& frames, std::size_t k)
{
    return std::abs(frames[k] - expectedFrame(samples, k)) <= 1;
}

double millisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs the loop, calling step every few milliseconds from a timer, until step
// answers true. False when that did not happen within a minute.
std::function<bool()> loopStep;

bool runLoopWith(hwd::MessageLoop& loop, std::function<bool()> step)
{
    loopStep = std::move(step);
    const UINT_PTR poll = SetTimer(nullptr, 0, 5, [](HWND, UINT, UINT_PTR, DWORD) {
        if (loopStep && loopStep()) {
            loopStep = nullptr;
            PostQuitMessage(0);
        }
    });
    const UINT_PTR guard = SetTimer(nullptr, 0, 60000, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(1); });
    const int code = loop.run();
    KillTimer(nullptr, poll);
    KillTimer(nullptr, guard);
    loopStep = nullptr;
    return code == 0;
}

struct TimedCount {
    double ms;
    std::size_t frames;
};

struct Capture {
    PcmWaveFile first;
    PcmWaveFile second;
    PcmWaveFile played;
    std::vector<TimedCount> timeline;
    std::size_t framesAtChange = 0;
    std::size_t framesAtStop = 0;
    double msAtChange = 0;
    double msAtStop = 0;
};

// Listen on the device: the saw until framesBeforeEachChange frames are
// written, then the square as many again, then the stop, with one more load
// after it that nothing may play.
void listenOnTheDevice(Capture& result)
{
    const fs::path capture = captureFile();
    if (capture.empty())
        GTEST_SKIP() << "for wine with HWD_ALSA_CAPTURE naming the capturing ALSA configuration's file";
    ASSERT_GT(waveOutGetNumDevs(), 0u) << "wine offers no waveOut device: is ALSA_CONFIG_PATH the capturing one?";
    std::error_code ignored;
    fs::remove(capture, ignored);

    result.first = PcmWaveFile::read(TestWaves::file(TestWaves::saw));
    result.second = PcmWaveFile::read(TestWaves::file(TestWaves::square));
    const PcmWaveFile& first = result.first;
    const PcmWaveFile& second = result.second;
    ASSERT_EQ(first.problem, "");
    ASSERT_EQ(second.problem, "");
    ASSERT_EQ(first.frames.size(), 128u);
    ASSERT_EQ(second.frames.size(), 128u);

    hwd::Waveshape wave;
    const auto load = [&wave](std::wstring_view name) { (void)hwd::WaveFileLoader(wave).load(TestWaves::file(name)); };
    load(TestWaves::saw);
    hwd::MessageLoop loop;
    hwd::WaveOutPreviewOutput output;
    hwd::ListenToggle listen(output, wave);

    // The loop's timeline: a count of the frames written at each look.
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    std::vector<TimedCount>& timeline = result.timeline;
    std::size_t& framesAtChange = result.framesAtChange;
    std::size_t& framesAtStop = result.framesAtStop;
    double& msAtChange = result.msAtChange;
    double& msAtStop = result.msAtStop;
    bool playingAfterStop = true;
    int looksAfterStop = 0;
    ASSERT_EQ(listen.toggle(), "");
    ASSERT_TRUE(listen.listening());
    const bool ran = runLoopWith(loop, [&] {
        const std::size_t frames = framesWritten(capture);
        const double ms = millisecondsSince(start);
        timeline.push_back({ms, frames});
        if (framesAtChange == 0) {
            if (frames >= framesBeforeEachChange) {
                framesAtChange = frames;
                msAtChange = ms;
                load(TestWaves::square);
            }
        } else if (framesAtStop == 0) {
            if (frames >= framesAtChange + framesBeforeEachChange) {
                (void)listen.toggle();
                playingAfterStop = listen.listening();
                framesAtStop = framesWritten(capture);
                msAtStop = millisecondsSince(start);
            }
        } else {
            // The loop runs on a while, with one more change of the wave,
            // which nothing may play.
            ++looksAfterStop;
            if (looksAfterStop == 10)
                load(TestWaves::sine);
            return looksAfterStop >= 40;
        }
        return false;
    });
    ASSERT_TRUE(ran) << "the capture stopped growing: " << framesWritten(capture) << " frames";
    EXPECT_FALSE(playingAfterStop);

    result.played = PcmWaveFile::read(capture);
    const PcmWaveFile& played = result.played;
    ASSERT_EQ(played.problem, "");
    EXPECT_EQ(played.rate, rate);
    // Settled at close: Listen's stop closed the device.
    EXPECT_TRUE(played.sizesSettled);
}

// Where the capture holds a stretch of exact silence before the stop (a
// millisecond and more), which neither wave has: the system's own underrun
// when the machine held the program up for longer than the queued buffers
// last; or nothing.
std::optional<std::size_t> silenceIn(const Capture& capture)
{
    constexpr std::size_t stretch = rate / 1000;
    const std::vector<std::int16_t>& frames = capture.played.frames;
    const std::size_t end = std::min(frames.size(), capture.framesAtStop);
    std::size_t zeros = 0;
    for (std::size_t k = 0; k < end; ++k) {
        zeros = frames[k] == 0 ? zeros + 1 : 0;
        if (zeros == stretch)
            return k + 1 - stretch;
    }
    return std::nullopt;
}

TEST(ListenOnTheDevice, PlaysOneWaveThenTheNextUnbrokenAndNothingAfterTheStop)
{
    Capture capture;
    listenOnTheDevice(capture);
    if (HasFatalFailure() || IsSkipped())
        return;
    // One stall of the machine is forgiven: the capture is made again. A
    // program that leaves the device short of buffers stalls both times.
    if (const auto silence = silenceIn(capture)) {
        std::cout << "silence in the capture from frame " << *silence << ": listening again\n";
        capture = Capture{};
        listenOnTheDevice(capture);
        if (HasFatalFailure())
            return;
    }
    const PcmWaveFile& first = capture.first;
    const PcmWaveFile& second = capture.second;
    const PcmWaveFile& played = capture.played;
    const std::size_t framesAtChange = capture.framesAtChange;
    const std::size_t framesAtStop = capture.framesAtStop;

    const std::vector<std::int16_t>& frames = played.frames;
    ASSERT_GE(frames.size(), framesAtStop);

    // The first wave from frame 0 up to a buffer's start, the second from
    // there to the end: a buffer lost, played twice or filled out of turn, or a
    // stretch of silence, would put the frames out of step with their numbers.
    std::size_t firstNotFirst = 0;
    while (firstNotFirst < frames.size() && matches(first.frames, frames, firstNotFirst))
        ++firstNotFirst;
    ASSERT_LT(firstNotFirst, frames.size()) << "the second wave was never heard";
    EXPECT_GE(firstNotFirst, framesAtChange)
        << "frame " << firstNotFirst << " is " << frames[firstNotFirst] << ", not the first wave's "
        << expectedFrame(first.frames, firstNotFirst) << ", though written before the change";
    const std::size_t change = firstNotFirst / framesPerBuffer * framesPerBuffer;
    for (std::size_t k = change; k < frames.size(); ++k) {
        ASSERT_TRUE(matches(second.frames, frames, k))
            << "frame " << k << " of " << frames.size() << " is " << frames[k] << ", not "
            << expectedFrame(second.frames, k) << " (the second wave from frame " << change << ")";
    }
    // The stop drops what is queued: at most the four buffers and the
    // system's own share of a few milliseconds came after the count at the stop.
    EXPECT_LE(frames.size(), framesAtStop + 4 * framesPerBuffer + rate / 20)
        << "played on after the stop";

    // The figures, for a person to read.
    double msHeard = 0;
    for (const TimedCount& look : capture.timeline) {
        if (look.frames > change) {
            msHeard = look.ms;
            break;
        }
    }
    std::cout << "Listen on wine's waveOut: " << frames.size() << " frames (" << 1000.0 * frames.size() / rate
              << " ms of sound) in " << capture.msAtStop << " ms from start to stop; the change after "
              << framesAtChange << " frames written, heard from frame " << change << " ("
              << 1000.0 * (change - framesAtChange) / rate << " ms of sound later, written "
              << msHeard - capture.msAtChange << " ms later by the clock); " << frames.size() - framesAtStop
              << " frames written after the count at the stop\n";
}

} // namespace
