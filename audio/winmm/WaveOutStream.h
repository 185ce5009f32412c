#pragma once

#include "audio/winmm/WaveOutCalls.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace hwd {

class TonePreview;

// The looped preview's stream on the default waveOut device: mono, signed
// 16-bit, at the source's rate. A few short buffers, prepared once at open,
// go round: the device hands each one back as MM_WOM_DONE to the window given
// at open, and handleMessage refills it from the source and queues it again.
// So the window's thread feeds the device and never waits for it.
class WaveOutStream final {
public:
    // Four buffers of 10 ms at 48 kHz: at most 40 ms is queued ahead, so an
    // edit of the wave is heard within about 50 ms, and the device still has
    // three buffers to play while the message loop gets round to the fourth.
    static constexpr std::size_t bufferCount = 4;
    static constexpr std::size_t framesPerBuffer = 480;

    explicit WaveOutStream(const WaveOutCalls& calls) noexcept;
    WaveOutStream(const WaveOutStream&) = delete;
    WaveOutStream& operator=(const WaveOutStream&) = delete;
    ~WaveOutStream();

    // Opens the default device with window as its callback, fills every buffer
    // from source and queues them; source must outlive the playing. The empty
    // text when playing, else the system's reason (nothing is then open).
    [[nodiscard]] std::string open(TonePreview& source, HWND window);
    // Drops what is queued and closes; nothing when closed. The device's
    // messages still on their way afterwards are not this stream's any more.
    void close() noexcept;
    [[nodiscard]] bool isOpen() const noexcept { return device_ != nullptr; }
    [[nodiscard]] HWAVEOUT device() const noexcept { return device_; }

    // True when message is MM_WOM_OPEN, MM_WOM_CLOSE or MM_WOM_DONE for the
    // open device; a buffer handed back is refilled and queued again. If the
    // device refuses it, the stream stops for good and closes.
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    [[nodiscard]] WAVEHDR* ownHeader(LPARAM lParam) noexcept;
    [[nodiscard]] MMRESULT fillAndQueue(std::size_t buffer) noexcept;

    const WaveOutCalls& calls_;
    HWAVEOUT device_ = nullptr;
    TonePreview* source_ = nullptr;
    std::array<std::array<std::int16_t, framesPerBuffer>, bufferCount> frames_{};
    std::array<WAVEHDR, bufferCount> headers_{};
};

} // namespace hwd
