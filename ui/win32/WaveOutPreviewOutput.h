#pragma once

#include "audio/PreviewOutput.h"

#include <windows.h>

#include <memory>

namespace hwd {

class WaveOutStream;

// The looped preview on the default waveOut device. Its buffers come back as
// MM_WOM_DONE messages to the given window, whose window procedure hands them
// to handleMessage; each is refilled from the source and queued again, so the
// program's one thread feeds the device from its message loop.
class WaveOutPreviewOutput final : public PreviewOutput {
public:
    explicit WaveOutPreviewOutput(HWND window);
    ~WaveOutPreviewOutput() override;

    [[nodiscard]] std::string start(TonePreview& source) override;
    void stop() noexcept override;
    [[nodiscard]] bool playing() const noexcept override;

    // True when message was this output's (MM_WOM_DONE, MM_WOM_OPEN or
    // MM_WOM_CLOSE for its device) and has been handled.
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    HWND window_;
    std::unique_ptr<WaveOutStream> stream_;
};

} // namespace hwd
