// The MIDI output layer on the Windows multimedia MIDI output. The completion
// signal is a manual-reset event that the port signals through CALLBACK_EVENT
// (on open, when it is done with a long-message buffer, and on close).
#include "transfer/MidiOutput.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <mmsystem.h>

#include <cstring>

namespace {

// Created once and kept for the life of the process: never closed.
class WinmmCompletionSignal final : public MidiCompletionSignal {
public:
    WinmmCompletionSignal() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

    void reset() override
    {
        if (event_)
            ResetEvent(event_);
    }

    bool wait(unsigned timeoutMs) override
    {
        // Anything but a time-out counts as done.
        return WaitForSingleObject(event_, timeoutMs) != WAIT_TIMEOUT;
    }

    [[nodiscard]] HANDLE event() const noexcept { return event_; }

private:
    HANDLE event_;
};

class WinmmMidiOutput final : public MidiOutput {
public:
    WinmmMidiOutput() = default;
    WinmmMidiOutput(const WinmmMidiOutput&) = delete;
    WinmmMidiOutput& operator=(const WinmmMidiOutput&) = delete;
    ~WinmmMidiOutput() override { close(); }

    unsigned deviceCount() override { return midiOutGetNumDevs(); }

    MidiResult deviceCaps(unsigned deviceId, MidiOutputCaps& caps) override
    {
        MIDIOUTCAPSA platformCaps{};
        const MMRESULT result = midiOutGetDevCapsA(deviceId, &platformCaps, sizeof platformCaps);
        if (result != MMSYSERR_NOERROR)
            return result;
        // szPname has room for 31 characters; a driver may leave it unterminated.
        const std::size_t length = strnlen(platformCaps.szPname, sizeof caps.name - 1);
        std::memset(caps.name, 0, sizeof caps.name);
        std::memcpy(caps.name, platformCaps.szPname, length);
        caps.hardwarePort = platformCaps.wTechnology == MOD_MIDIPORT;
        return MMSYSERR_NOERROR;
    }

    std::unique_ptr<MidiCompletionSignal> createCompletionSignal() override
    {
        return std::make_unique<WinmmCompletionSignal>();
    }

    MidiResult open(int deviceId, MidiCompletionSignal& done) override
    {
        const auto* signal = dynamic_cast<WinmmCompletionSignal*>(&done);
        // No event, no completion: the port is not opened on a null handle.
        if (!signal || !signal->event())
            return MMSYSERR_INVALPARAM;
        if (handle_)
            return MMSYSERR_ALLOCATED;
        // -1 is MIDI_MAPPER.
        const MMRESULT result = midiOutOpen(&handle_, static_cast<UINT>(deviceId),
                                            reinterpret_cast<DWORD_PTR>(signal->event()), 0, CALLBACK_EVENT);
        if (result != MMSYSERR_NOERROR)
            handle_ = nullptr;
        return result;
    }

    void prepare(std::span<const std::uint8_t> message) override
    {
        header_ = MIDIHDR{};
        // The port only reads the buffer; the header's field is not const.
        header_.lpData = const_cast<LPSTR>(reinterpret_cast<const char*>(message.data()));
        header_.dwBufferLength = static_cast<DWORD>(message.size());
        header_.dwBytesRecorded = static_cast<DWORD>(message.size());
        if (handle_)
            midiOutPrepareHeader(handle_, &header_, sizeof header_);
    }

    MidiResult sendLong(std::span<const std::uint8_t> message) override
    {
        if (!handle_)
            return MMSYSERR_INVALHANDLE;
        if (header_.lpData != reinterpret_cast<const char*>(message.data()))
            return MIDIERR_UNPREPARED;
        return midiOutLongMsg(handle_, &header_, sizeof header_);
    }

    void reset() override
    {
        if (handle_)
            midiOutReset(handle_);
    }

    void unprepare() override
    {
        if (handle_)
            midiOutUnprepareHeader(handle_, &header_, sizeof header_);
        header_ = MIDIHDR{};
    }

    void close() override
    {
        if (!handle_)
            return;
        midiOutClose(handle_);
        handle_ = nullptr;
    }

    void errorText(MidiResult code, char* text, std::size_t size) override
    {
        midiOutGetErrorTextA(code, text, static_cast<UINT>(size));
    }

    void pause(unsigned milliseconds) override { Sleep(milliseconds); }

private:
    HMIDIOUT handle_ = nullptr;
    // Belongs to one send, from its preparation to its unpreparation.
    MIDIHDR header_{};
};

} // namespace

std::unique_ptr<MidiOutput> makeSystemMidiOutput()
{
    return std::make_unique<WinmmMidiOutput>();
}
