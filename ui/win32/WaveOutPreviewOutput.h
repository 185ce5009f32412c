#pragma once

#include "audio/PreviewOutput.h"

#include <windows.h>

#include <memory>

namespace hwd {

class WaveOutStream;

// The looped preview on the default waveOut device. Its buffers come back as
// MM_WOM_DONE messages to a message-only window of its own, whose procedure
// refills each from the source and queues it again: the program's one thread
// feeds the device from its message loop, and the output works before any
// dialog exists and whichever dialog is up.
class WaveOutPreviewOutput final : public PreviewOutput {
public:
    WaveOutPreviewOutput();
    ~WaveOutPreviewOutput() override;
    WaveOutPreviewOutput(const WaveOutPreviewOutput&) = delete;
    WaveOutPreviewOutput& operator=(const WaveOutPreviewOutput&) = delete;

    [[nodiscard]] std::string start(TonePreview& source) override;
    void stop() noexcept override;
    [[nodiscard]] bool playing() const noexcept override;

    // The window that the device's messages go to.
    [[nodiscard]] HWND window() const noexcept { return window_; }

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::unique_ptr<WaveOutStream> stream_;
    HWND window_ = nullptr;
};

} // namespace hwd
