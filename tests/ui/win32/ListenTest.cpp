// Listen on the system's own waveOut. Under wine there is no audio device, so
// the preview cannot start: the output says why in the system's words and does
// not claim to play, and Listen's warning box carries that text. On a Windows
// with an audio device, the preview starts and stops.
#include "RecordingMessagePresenter.h"

#include "app/ListenToggle.h"
#include "audio/TonePreview.h"
#include "ui/win32/WaveOutPreviewOutput.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <mmsystem.h>

#include <string>

using namespace hwd;

namespace {

[[nodiscard]] bool underWine()
{
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// A window for the device's messages; none reach it while nothing plays.
class MessageWindow final {
public:
    MessageWindow()
        : window_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr),
                                  nullptr))
    {
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;
    ~MessageWindow() { DestroyWindow(window_); }
    [[nodiscard]] HWND handle() const noexcept { return window_; }

private:
    HWND window_;
};

Waveshape loadedWave()
{
    Waveshape wave;
    wave.loaded = true;
    wave.samples.fill(8000);
    return wave;
}

TEST(WaveOutPreviewOutput, StartsOnTheDefaultDeviceOrSaysWhyNot)
{
    MessageWindow window;
    ASSERT_NE(window.handle(), nullptr);
    const Waveshape wave = loadedWave();
    TonePreview preview(wave);
    WaveOutPreviewOutput output(window.handle());

    const std::string reason = output.start(preview);

    if (waveOutGetNumDevs() != 0) {
        EXPECT_EQ(reason, "");
        EXPECT_TRUE(output.playing());
        output.stop();
        EXPECT_FALSE(output.playing());
        return;
    }
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(reason.find("waveOut error"), std::string::npos) << "the system gave no text: " << reason;
    EXPECT_FALSE(output.playing());
    // Nothing is open, so there is nothing to stop and no message is the output's.
    output.stop();
    EXPECT_FALSE(output.handleMessage(MM_WOM_DONE, 0, 0));
    EXPECT_FALSE(output.handleMessage(MM_WOM_CLOSE, 0, 0));
    // A second try fails the same way.
    EXPECT_EQ(output.start(preview), reason);
    EXPECT_FALSE(output.playing());
}

TEST(WaveOutPreviewOutput, ListenWithoutAnAudioDeviceUnderWineWarnsWithWinesReason)
{
    if (!underWine() || waveOutGetNumDevs() != 0)
        GTEST_SKIP() << "for wine without an audio device";
    MessageWindow window;
    const Waveshape wave = loadedWave();
    WaveOutPreviewOutput output(window.handle());
    RecordingMessagePresenter boxes;
    ListenToggle listen(output, boxes, wave);

    listen.toggle();

    EXPECT_FALSE(listen.listening());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              "Failed to open the audio output. A device ID has been used that is out of range for your system.");
    EXPECT_EQ(boxes.boxes[0].caption, "Harlix Wave Dump");
    EXPECT_EQ(boxes.boxes[0].icon, MessageIcon::Warning);
}

} // namespace
