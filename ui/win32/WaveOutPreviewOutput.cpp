#include "WaveOutPreviewOutput.h"

#include "audio/winmm/WaveOutStream.h"

namespace hwd {

WaveOutPreviewOutput::WaveOutPreviewOutput(HWND window)
    : window_(window), stream_(std::make_unique<WaveOutStream>(systemWaveOutCalls()))
{
}

WaveOutPreviewOutput::~WaveOutPreviewOutput() = default;

std::string WaveOutPreviewOutput::start(TonePreview& source)
{
    return stream_->open(source, window_);
}

void WaveOutPreviewOutput::stop() noexcept
{
    stream_->close();
}

bool WaveOutPreviewOutput::playing() const noexcept
{
    return stream_->isOpen();
}

bool WaveOutPreviewOutput::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return stream_->handleMessage(message, wParam, lParam);
}

} // namespace hwd
