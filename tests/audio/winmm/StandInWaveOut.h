#pragma once

#include "audio/winmm/WaveOutCalls.h"

#include <cstdint>
#include <string>
#include <vector>

// A stand-in for the waveOut and event calls that plays the device's part: it
// keeps the queue of written buffers, hands the oldest back on request as the
// device's thread would, refuses to unprepare a queued buffer or close with
// buffers queued, and records every call by name in order:
//   "createEvent", "open", "prepare", "write", "reset", "unprepare", "close",
//   "closeHandle".
// One at a time is installed; its calls answer from that one.
struct StandInWaveOut {
    // --- The script. ---
    MMRESULT openResult = MMSYSERR_NOERROR;
    // writeResult answers from the write numbered failingWrite (from 0) on.
    MMRESULT writeResult = MMSYSERR_NOERROR;
    int failingWrite = -1;
    // prepareResult answers the prepare numbered failingPrepare (from 0),
    // which leaves its buffer unprepared.
    MMRESULT prepareResult = MMSYSERR_NOERROR;
    int failingPrepare = -1;
    // What getErrorText writes, cut to the size given as the system does.
    std::string errorText;
    // False: written frames are not copied, so that a write allocates nothing.
    bool recordContents = true;
    bool eventMade = true;
    // The wait, counted from 1, at which the oldest queued buffer is done; 0: never.
    int doneAtWait = 1;

    // --- The record. ---
    std::vector<std::string> calls;
    UINT openedId = 0;
    WAVEFORMATEX format{};
    DWORD_PTR callback = 0;
    DWORD flags = 0;
    // Every header prepared, in order: the caller's buffers by number.
    std::vector<WAVEHDR*> prepared;
    // The frames of every write, where they lay, and which buffer it was.
    std::vector<std::vector<std::int16_t>> written;
    std::vector<const char*> writtenAddresses;
    std::vector<int> writtenBuffers;
    // Calls on a device that is not the open one.
    int strayCalls = 0;
    int waits = 0;
    bool eventOpen = false;

    // --- The device. ---
    // Queued buffers, oldest first; room made beforehand so that a buffer turn
    // allocates nothing in the stand-in either.
    std::vector<WAVEHDR*> queue = [] {
        std::vector<WAVEHDR*> empty;
        empty.reserve(16);
        return empty;
    }();
    bool open = false;
    int writes = 0;
    int prepares = 0;

    [[nodiscard]] int bufferNumber(const WAVEHDR* header) const;
    // The device has played the oldest queued buffer: done and off the queue.
    WAVEHDR* finishOldest();
};

// The handle the stand-in's open gives, the one event it makes, and a handle
// that is some other device's.
extern const HWAVEOUT standInDevice;
extern const HWAVEOUT otherDevice;
extern const HANDLE standInEvent;

extern const hwd::WaveOutCalls standInWaveOutCalls;

// Installs waveOut for its lifetime.
class InstalledStandIn final {
public:
    explicit InstalledStandIn(StandInWaveOut& waveOut);
    InstalledStandIn(const InstalledStandIn&) = delete;
    InstalledStandIn& operator=(const InstalledStandIn&) = delete;
    ~InstalledStandIn();
};
