#include "audio/winmm/WaveOutStream.h"

#include "audio/TonePreview.h"

#include <span>

namespace hwd {

WaveOutStream::WaveOutStream(const WaveOutCalls& calls) noexcept : calls_(calls) {}

WaveOutStream::~WaveOutStream()
{
    close();
}

std::string WaveOutStream::open(TonePreview& source, HWND window)
{
    close();
    const WAVEFORMATEX format = monoPcmFormat(source.rate());
    HWAVEOUT device = nullptr;
    const MMRESULT opened = calls_.open(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(window), 0,
                                        CALLBACK_WINDOW);
    if (opened != MMSYSERR_NOERROR)
        return waveOutErrorText(calls_, opened);
    device_ = device;
    source_ = &source;

    // All set up before any is prepared, so that a close after a failed
    // preparation finds none left over from an earlier playing.
    for (std::size_t buffer = 0; buffer < bufferCount; ++buffer) {
        headers_[buffer] = WAVEHDR{};
        headers_[buffer].lpData = reinterpret_cast<LPSTR>(frames_[buffer].data());
        headers_[buffer].dwBufferLength = static_cast<DWORD>(sizeof frames_[buffer]);
    }
    for (WAVEHDR& header : headers_) {
        if (const MMRESULT prepared = calls_.prepareHeader(device_, &header, sizeof header);
            prepared != MMSYSERR_NOERROR) {
            std::string reason = waveOutErrorText(calls_, prepared);
            close();
            return reason;
        }
    }
    for (std::size_t buffer = 0; buffer < bufferCount; ++buffer) {
        if (const MMRESULT queued = fillAndQueue(buffer); queued != MMSYSERR_NOERROR) {
            std::string reason = waveOutErrorText(calls_, queued);
            close();
            return reason;
        }
    }
    return {};
}

void WaveOutStream::close() noexcept
{
    if (!device_)
        return;
    // The reset hands every queued buffer back, so that all can be unprepared.
    calls_.reset(device_);
    for (WAVEHDR& header : headers_)
        calls_.unprepareHeader(device_, &header, sizeof header);
    calls_.close(device_);
    device_ = nullptr;
    source_ = nullptr;
}

bool WaveOutStream::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message != MM_WOM_OPEN && message != MM_WOM_CLOSE && message != MM_WOM_DONE)
        return false;
    // Messages of a device closed earlier may still be queued; they, and any
    // other device's, are left alone.
    if (!device_ || reinterpret_cast<HWAVEOUT>(wParam) != device_)
        return false;
    if (message != MM_WOM_DONE)
        return true;
    WAVEHDR* header = ownHeader(lParam);
    // A handle can come round again after a close: a late message for a
    // buffer that is queued once more is not a buffer handed back.
    if (!header || (header->dwFlags & WHDR_INQUEUE) != 0 || (header->dwFlags & WHDR_DONE) == 0)
        return true;
    if (fillAndQueue(static_cast<std::size_t>(header - headers_.data())) != MMSYSERR_NOERROR)
        close();
    return true;
}

WAVEHDR* WaveOutStream::ownHeader(LPARAM lParam) noexcept
{
    for (WAVEHDR& header : headers_) {
        if (reinterpret_cast<LPARAM>(&header) == lParam)
            return &header;
    }
    return nullptr;
}

MMRESULT WaveOutStream::fillAndQueue(std::size_t buffer) noexcept
{
    source_->fill(std::span<std::int16_t>(frames_[buffer]));
    return calls_.write(device_, &headers_[buffer], sizeof headers_[buffer]);
}

} // namespace hwd
