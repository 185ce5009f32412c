// The MIDI output layer on the Windows multimedia MIDI output. The completion
// signal is a manual-reset event that the port signals through CALLBACK_EVENT
// (on open, when it is done with a long-message buffer, and on close).
#include "WinmmMidiOutput.h"

#include <cstring>

namespace hwd {

namespace {

// Created once and kept for the life of the process: never closed.
class WinmmCompletionSignal final : public MidiCompletionSignal {
public:
    explicit WinmmCompletionSignal(const WinmmCalls& calls)
        : calls_(calls), event_(calls.createEvent(nullptr, TRUE, FALSE, nullptr))
    {
    }

    void reset() override
    {
        if (event_)
            calls_.resetEvent(event_);
    }

    bool wait(unsigned timeoutMs) override
    {
        // Anything but a time-out counts as done.
        return calls_.waitForSingleObject(event_, timeoutMs) != WAIT_TIMEOUT;
    }

    [[nodiscard]] HANDLE event() const noexcept { return event_; }

private:
    const WinmmCalls& calls_;
    HANDLE event_;
};

class WinmmMidiOutput final : public MidiOutput {
public:
    explicit WinmmMidiOutput(const WinmmCalls& calls) : calls_(calls) {}
    WinmmMidiOutput(const WinmmMidiOutput&) = delete;
    WinmmMidiOutput& operator=(const WinmmMidiOutput&) = delete;
    ~WinmmMidiOutput() override { close(); }

    unsigned deviceCount() override { return calls_.getNumDevs(); }

    MidiResult deviceCaps(unsigned deviceId, MidiOutputCaps& caps) override
    {
        MIDIOUTCAPSA platformCaps{};
        const MMRESULT result = calls_.getDevCaps(deviceId, &platformCaps, sizeof platformCaps);
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
        return std::make_unique<WinmmCompletionSignal>(calls_);
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
        const MMRESULT result = calls_.open(&handle_, static_cast<UINT>(deviceId),
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
            calls_.prepareHeader(handle_, &header_, sizeof header_);
    }

    MidiResult sendLong(std::span<const std::uint8_t> message) override
    {
        if (!handle_)
            return MMSYSERR_INVALHANDLE;
        if (header_.lpData != reinterpret_cast<const char*>(message.data()))
            return MIDIERR_UNPREPARED;
        return calls_.longMsg(handle_, &header_, sizeof header_);
    }

    void reset() override
    {
        if (handle_)
            calls_.reset(handle_);
    }

    void unprepare() override
    {
        if (handle_)
            calls_.unprepareHeader(handle_, &header_, sizeof header_);
        header_ = MIDIHDR{};
    }

    void close() override
    {
        if (!handle_)
            return;
        calls_.close(handle_);
        handle_ = nullptr;
    }

    void errorText(MidiResult code, char* text, std::size_t size) override
    {
        calls_.getErrorText(code, text, static_cast<UINT>(size));
    }

    void pause(unsigned milliseconds) override { calls_.sleep(milliseconds); }

private:
    const WinmmCalls& calls_;
    HMIDIOUT handle_ = nullptr;
    // Belongs to one send, from its preparation to its unpreparation.
    MIDIHDR header_{};
};

} // namespace

const WinmmCalls& systemWinmmCalls()
{
    static const WinmmCalls calls{
        midiOutGetNumDevs, midiOutGetDevCapsA, midiOutOpen,   midiOutPrepareHeader, midiOutLongMsg,
        midiOutReset,      midiOutUnprepareHeader, midiOutClose, midiOutGetErrorTextA, CreateEventA,
        ResetEvent,        WaitForSingleObject, Sleep,
    };
    return calls;
}

std::unique_ptr<MidiOutput> makeWinmmMidiOutput(const WinmmCalls& calls)
{
    return std::make_unique<WinmmMidiOutput>(calls);
}

std::unique_ptr<MidiOutput> makeSystemMidiOutput()
{
    return makeWinmmMidiOutput(systemWinmmCalls());
}

} // namespace hwd
