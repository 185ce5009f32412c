#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <string>

namespace hwd {

// The Windows calls the waveOut outputs make, as a table, so that tests can
// put a stand-in for the system's audio and event services in their place.
struct WaveOutCalls {
    MMRESULT(WINAPI* open)(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback,
                           DWORD_PTR instance, DWORD flags);
    MMRESULT(WINAPI* prepareHeader)(HWAVEOUT device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* write)(HWAVEOUT device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* reset)(HWAVEOUT device);
    MMRESULT(WINAPI* unprepareHeader)(HWAVEOUT device, LPWAVEHDR header, UINT size);
    MMRESULT(WINAPI* close)(HWAVEOUT device);
    MMRESULT(WINAPI* getErrorText)(MMRESULT code, LPSTR text, UINT size);
    HANDLE(WINAPI* createEvent)(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL signalled, LPCSTR name);
    DWORD(WINAPI* waitForSingleObject)(HANDLE event, DWORD milliseconds);
    BOOL(WINAPI* closeHandle)(HANDLE object);
};

// The system's own: winmm.dll and kernel32.dll.
[[nodiscard]] const WaveOutCalls& systemWaveOutCalls();

// Mono signed 16-bit PCM at rate frames a second.
[[nodiscard]] WAVEFORMATEX monoPcmFormat(std::uint32_t rate) noexcept;

// The system's text for a waveOut result, in the system's narrow code page as
// the program's message boxes take it; never empty, so that it always reads as
// a failure.
[[nodiscard]] std::string waveOutErrorText(const WaveOutCalls& calls, MMRESULT code);

} // namespace hwd
