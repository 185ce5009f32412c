#pragma once

#include "transfer/MidiOutput.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <mmsystem.h>

#include <memory>

namespace hwd {

// The Windows calls the WinMM backend makes, as a table, so that tests can put
// a stand-in for the system's MIDI and event services in their place.
struct WinmmCalls {
    UINT(WINAPI* getNumDevs)();
    MMRESULT(WINAPI* getDevCaps)(UINT_PTR deviceId, LPMIDIOUTCAPSA caps, UINT size);
    MMRESULT(WINAPI* open)(LPHMIDIOUT handle, UINT deviceId, DWORD_PTR callback, DWORD_PTR instance, DWORD flags);
    MMRESULT(WINAPI* prepareHeader)(HMIDIOUT handle, LPMIDIHDR header, UINT size);
    MMRESULT(WINAPI* longMsg)(HMIDIOUT handle, LPMIDIHDR header, UINT size);
    MMRESULT(WINAPI* reset)(HMIDIOUT handle);
    MMRESULT(WINAPI* unprepareHeader)(HMIDIOUT handle, LPMIDIHDR header, UINT size);
    MMRESULT(WINAPI* close)(HMIDIOUT handle);
    MMRESULT(WINAPI* getErrorText)(MMRESULT code, LPSTR text, UINT size);
    HANDLE(WINAPI* createEvent)(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL signalled, LPCSTR name);
    BOOL(WINAPI* resetEvent)(HANDLE event);
    DWORD(WINAPI* waitForSingleObject)(HANDLE event, DWORD milliseconds);
    void(WINAPI* sleep)(DWORD milliseconds);
};

// The system's own: winmm.dll and kernel32.dll.
[[nodiscard]] const WinmmCalls& systemWinmmCalls();

// The backend on the calls given; they must outlive it.
[[nodiscard]] std::unique_ptr<MidiOutput> makeWinmmMidiOutput(const WinmmCalls& calls);

} // namespace hwd
