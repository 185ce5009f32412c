// Listen on the system's own waveOut, through the output's own message-only
// window. Under wine there is no audio device, so the preview cannot start:
// the output says why in the system's words and does not claim to play. On a
// Windows with an audio device, the preview starts and stops.
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

Waveshape loadedWave()
{
    Waveshape wave;
    wave.loaded = true;
    wave.samples.fill(8000);
    return wave;
}

TEST(WaveOutPreviewOutput, HasAMessageOnlyWindowOfItsOwnWhileItLives)
{
    HWND window = nullptr;
    {
        const WaveOutPreviewOutput output;
        window = output.window();
        ASSERT_NE(window, nullptr);
        // Message-only: not on the desktop, and no dialog's.
        EXPECT_NE(GetAncestor(window, GA_PARENT), GetDesktopWindow());
    }
    EXPECT_FALSE(IsWindow(window));
}

TEST(WaveOutPreviewOutput, StartsOnTheDefaultDeviceOrSaysWhyNot)
{
    const Waveshape wave = loadedWave();
    TonePreview preview(wave);
    WaveOutPreviewOutput output;

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
    // Nothing is open, so there is nothing to stop.
    output.stop();
    // A second try fails the same way.
    EXPECT_EQ(output.start(preview), reason);
    EXPECT_FALSE(output.playing());
}

TEST(WaveOutPreviewOutput, ListenWithoutAnAudioDeviceUnderWineWarnsWithWinesReason)
{
    if (!underWine() || waveOutGetNumDevs() != 0)
        GTEST_SKIP() << "for wine without an audio device";
    const Waveshape wave = loadedWave();
    WaveOutPreviewOutput output;
    ListenToggle listen(output, wave);

    EXPECT_EQ(listen.toggle(),
              "Failed to open the audio output. A device ID has been used that is out of range for your system.");
    EXPECT_FALSE(listen.listening());
}

} // namespace
