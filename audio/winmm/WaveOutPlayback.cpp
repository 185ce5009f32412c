#include "audio/winmm/WaveOutPlayback.h"

#include "audio/TonePlayback.h"

#include <algorithm>

namespace hwd {

namespace {

// The wait looks at the buffer at least this often, so that a signal that
// comes before the wait starts is not missed for long.
constexpr DWORD waitSliceMs = 100;

// Closes the event whatever way the playing ends.
class Event final {
public:
    explicit Event(const WaveOutCalls& calls)
        : calls_(calls), handle_(calls.createEvent(nullptr, FALSE, FALSE, nullptr))
    {
    }
    Event(const Event&) = delete;
    Event& operator=(const Event&) = delete;
    ~Event()
    {
        if (handle_)
            calls_.closeHandle(handle_);
    }
    [[nodiscard]] HANDLE handle() const noexcept { return handle_; }

private:
    const WaveOutCalls& calls_;
    HANDLE handle_;
};

} // namespace

std::string playOnWaveOut(const WaveOutCalls& calls, std::span<const std::int16_t> frames, std::uint32_t rate)
{
    const Event done(calls);
    if (!done.handle())
        return waveOutErrorText(calls, MMSYSERR_NOMEM);
    const WAVEFORMATEX format = monoPcmFormat(rate);
    HWAVEOUT device = nullptr;
    if (const MMRESULT opened = calls.open(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(done.handle()),
                                           0, CALLBACK_EVENT);
        opened != MMSYSERR_NOERROR)
        return waveOutErrorText(calls, opened);

    // The device only reads the buffer; the header's field is not const.
    WAVEHDR header{};
    header.lpData = const_cast<LPSTR>(reinterpret_cast<const char*>(frames.data()));
    header.dwBufferLength = static_cast<DWORD>(frames.size_bytes());
    std::string reason;
    MMRESULT result = calls.prepareHeader(device, &header, sizeof header);
    if (result == MMSYSERR_NOERROR && !frames.empty())
        result = calls.write(device, &header, sizeof header);
    if (result != MMSYSERR_NOERROR) {
        reason = waveOutErrorText(calls, result);
    } else if (!frames.empty()) {
        const std::uint64_t lengthMs = frames.size() * std::uint64_t{1000} / std::max<std::uint32_t>(rate, 1);
        const std::uint64_t allowedMs = lengthMs + playbackGraceMs;
        // Only waits that end unsignalled count towards the limit: the device
        // signals a few times at most (open, done, close), so the count stays
        // close to the time waited.
        std::uint64_t waitedMs = 0;
        while ((header.dwFlags & WHDR_DONE) == 0) {
            if (waitedMs > allowedMs) {
                calls.reset(device);
                reason = playbackStalled;
                break;
            }
            if (calls.waitForSingleObject(done.handle(), waitSliceMs) != WAIT_OBJECT_0)
                waitedMs += waitSliceMs;
        }
    }
    calls.unprepareHeader(device, &header, sizeof header);
    calls.close(device);
    return reason;
}

std::string playOnDefaultOutput(std::span<const std::int16_t> frames, std::uint32_t rate)
{
    return playOnWaveOut(systemWaveOutCalls(), frames, rate);
}

} // namespace hwd
