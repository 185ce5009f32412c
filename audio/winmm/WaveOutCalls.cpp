#include "audio/winmm/WaveOutCalls.h"

namespace hwd {

const WaveOutCalls& systemWaveOutCalls()
{
    static const WaveOutCalls calls{
        waveOutOpen,  waveOutPrepareHeader, waveOutWrite,         waveOutReset, waveOutUnprepareHeader,
        waveOutClose, waveOutGetErrorTextA, CreateEventA,         WaitForSingleObject, CloseHandle,
    };
    return calls;
}

WAVEFORMATEX monoPcmFormat(std::uint32_t rate) noexcept
{
    constexpr WORD bytesPerFrame = 2;
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 1;
    format.nSamplesPerSec = rate;
    format.nAvgBytesPerSec = rate * bytesPerFrame;
    format.nBlockAlign = bytesPerFrame;
    format.wBitsPerSample = 16;
    format.cbSize = 0;
    return format;
}

std::string waveOutErrorText(const WaveOutCalls& calls, MMRESULT code)
{
    char text[MAXERRORLENGTH] = {};
    const MMRESULT result = calls.getErrorText(code, text, sizeof text);
    text[sizeof text - 1] = '\0';
    if (result != MMSYSERR_NOERROR || text[0] == '\0')
        return "waveOut error " + std::to_string(code);
    return text;
}

} // namespace hwd
