#include "StandInWaveOut.h"

#include <algorithm>
#include <cstring>

namespace {

StandInWaveOut* script = nullptr;
char eventObject;

void noteDevice(HWAVEOUT device)
{
    if (!script->open || device != standInDevice)
        ++script->strayCalls;
}

MMRESULT WINAPI standInOpen(LPHWAVEOUT device, UINT deviceId, LPCWAVEFORMATEX format, DWORD_PTR callback, DWORD_PTR,
                            DWORD flags)
{
    script->calls.emplace_back("open");
    script->openedId = deviceId;
    script->format = *format;
    script->callback = callback;
    script->flags = flags;
    if (script->openResult != MMSYSERR_NOERROR)
        return script->openResult;
    *device = standInDevice;
    script->open = true;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInPrepare(HWAVEOUT device, LPWAVEHDR header, UINT size)
{
    script->calls.emplace_back("prepare");
    noteDevice(device);
    if (size != sizeof(WAVEHDR))
        return MMSYSERR_INVALPARAM;
    if (script->prepares++ == script->failingPrepare)
        return script->prepareResult;
    if (script->bufferNumber(header) < 0)
        script->prepared.push_back(header);
    header->dwFlags = WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInWrite(HWAVEOUT device, LPWAVEHDR header, UINT size)
{
    script->calls.emplace_back("write");
    noteDevice(device);
    const int number = script->writes++;
    if (script->failingWrite >= 0 && number >= script->failingWrite)
        return script->writeResult;
    if (size != sizeof(WAVEHDR) || (header->dwFlags & WHDR_PREPARED) == 0)
        return WAVERR_UNPREPARED;
    if ((header->dwFlags & WHDR_INQUEUE) != 0)
        return WAVERR_STILLPLAYING;
    if (script->recordContents) {
        const auto* frames = reinterpret_cast<const std::int16_t*>(header->lpData);
        script->written.emplace_back(frames, frames + header->dwBufferLength / 2);
        script->writtenAddresses.push_back(header->lpData);
        script->writtenBuffers.push_back(script->bufferNumber(header));
    }
    header->dwFlags = (header->dwFlags & ~WHDR_DONE) | WHDR_INQUEUE;
    script->queue.push_back(header);
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInReset(HWAVEOUT device)
{
    script->calls.emplace_back("reset");
    noteDevice(device);
    while (!script->queue.empty())
        script->finishOldest();
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInUnprepare(HWAVEOUT device, LPWAVEHDR header, UINT)
{
    script->calls.emplace_back("unprepare");
    noteDevice(device);
    if ((header->dwFlags & WHDR_INQUEUE) != 0)
        return WAVERR_STILLPLAYING;
    header->dwFlags &= ~WHDR_PREPARED;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInClose(HWAVEOUT device)
{
    script->calls.emplace_back("close");
    noteDevice(device);
    if (!script->queue.empty())
        return WAVERR_STILLPLAYING;
    script->open = false;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInErrorText(MMRESULT, LPSTR text, UINT size)
{
    if (size == 0)
        return MMSYSERR_INVALPARAM;
    const std::size_t length = std::min<std::size_t>(script->errorText.size(), size - 1);
    std::memcpy(text, script->errorText.data(), length);
    text[length] = '\0';
    return MMSYSERR_NOERROR;
}

HANDLE WINAPI standInCreateEvent(LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCSTR)
{
    script->calls.emplace_back("createEvent");
    if (!script->eventMade)
        return nullptr;
    script->eventOpen = true;
    return standInEvent;
}

DWORD WINAPI standInWait(HANDLE event, DWORD)
{
    if (event != standInEvent || !script->eventOpen)
        return WAIT_FAILED;
    ++script->waits;
    if (script->waits == script->doneAtWait && !script->queue.empty()) {
        script->finishOldest();
        return WAIT_OBJECT_0;
    }
    return WAIT_TIMEOUT;
}

BOOL WINAPI standInCloseHandle(HANDLE event)
{
    script->calls.emplace_back("closeHandle");
    if (event != standInEvent)
        return FALSE;
    script->eventOpen = false;
    return TRUE;
}

} // namespace

const HWAVEOUT standInDevice = reinterpret_cast<HWAVEOUT>(static_cast<INT_PTR>(0x200));
const HWAVEOUT otherDevice = reinterpret_cast<HWAVEOUT>(static_cast<INT_PTR>(0x201));
const HANDLE standInEvent = &eventObject;

const hwd::WaveOutCalls standInWaveOutCalls{
    standInOpen,  standInPrepare,   standInWrite,       standInReset, standInUnprepare,
    standInClose, standInErrorText, standInCreateEvent, standInWait,  standInCloseHandle,
};

int StandInWaveOut::bufferNumber(const WAVEHDR* header) const
{
    const auto found = std::find(prepared.begin(), prepared.end(), header);
    return found == prepared.end() ? -1 : static_cast<int>(found - prepared.begin());
}

WAVEHDR* StandInWaveOut::finishOldest()
{
    WAVEHDR* header = queue.front();
    queue.erase(queue.begin());
    header->dwFlags = (header->dwFlags & ~WHDR_INQUEUE) | WHDR_DONE;
    return header;
}

InstalledStandIn::InstalledStandIn(StandInWaveOut& waveOut)
{
    script = &waveOut;
}

InstalledStandIn::~InstalledStandIn()
{
    script = nullptr;
}
