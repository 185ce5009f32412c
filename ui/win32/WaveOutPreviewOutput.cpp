#include "WaveOutPreviewOutput.h"

#include "audio/winmm/WaveOutStream.h"

namespace hwd {

namespace {

constexpr const wchar_t* windowClass = L"HarlixWaveDump.PreviewOutput";

// Registered once per process by the module that holds its procedure; a
// second registration fails harmlessly.
void registerWindowClass(WNDPROC procedure)
{
    WNDCLASSW record{};
    record.lpfnWndProc = procedure;
    record.hInstance = GetModuleHandleW(nullptr);
    record.lpszClassName = windowClass;
    (void)RegisterClassW(&record);
}

} // namespace

WaveOutPreviewOutput::WaveOutPreviewOutput() : stream_(std::make_unique<WaveOutStream>(systemWaveOutCalls()))
{
    registerWindowClass(&WaveOutPreviewOutput::windowProcedure);
    window_ = CreateWindowExW(0, windowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              GetModuleHandleW(nullptr), this);
}

WaveOutPreviewOutput::~WaveOutPreviewOutput()
{
    stream_->close();
    if (window_ != nullptr)
        DestroyWindow(window_);
}

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

LRESULT CALLBACK WaveOutPreviewOutput::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<WaveOutPreviewOutput*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && self->stream_->handleMessage(message, wParam, lParam))
        return 0;
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace hwd
