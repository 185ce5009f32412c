#pragma once

#include "transfer/MidiOutput.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A MIDI output whose devices and results each test sets up beforehand, and which
// records every call made to it (its completion signals included) in order, plus
// a copy of every message handed to sendLong. Nothing waits: a wait answers at once.
// Its completion signals log into it, so it has to outlive any use of them.
//
// The call log uses these entries:
//   "count"              deviceCount
//   "caps D"             deviceCaps for device id D
//   "createSignal"       createCompletionSignal
//   "open D"             open of device id D (-1 the default)
//   "prepare"            prepare
//   "resetSignal"        reset of a completion signal
//   "sendLong"           sendLong
//   "wait MS"            wait of a completion signal with its time limit
//   "reset"              reset of the port
//   "unprepare"          unprepare
//   "pause MS"           pause
//   "close"              close
//   "errorText C S"      errorText for code C with the size S
//
// The completion signal behaves like the platform's manual-reset event used as an
// open callback: it is set by a successful open, by a taken long message whose
// completion comes, and by a port reset while a message is in flight; only a
// reset of the signal clears it. A wait answers whether it is set.
class ScriptedMidiOutput final : public hwd::MidiOutput {
public:
    enum class DeviceKind {
        HardwarePort,   // the one kind the port list shows
        Synthesizer,    // internal, FM, wavetable or square-wave synthesizer
        Software,       // a software synthesizer or virtual port
        Mapper,         // the system's mapper, enumerated as a device
        CapsFail,       // deviceCaps answers capsFailureCode
    };

    struct Device {
        // Copied like the platform's fixed 32-byte name field: a name of 32
        // characters or more fills all 32 bytes and leaves no terminator.
        std::string name;
        DeviceKind kind = DeviceKind::HardwarePort;
    };

    // --- The script; change any of it between calls. ---
    std::vector<Device> devices;
    // When not empty, the n-th deviceCount answers deviceCounts[n] (the last one
    // for every later call) instead of devices.size(): devices that come and go.
    std::vector<unsigned> deviceCounts;
    hwd::MidiResult capsFailureCode = 2;
    // What open answers (0 opens the port).
    hwd::MidiResult openResult = hwd::midiSuccess;
    // When not empty, the n-th open answers openResults[n] instead, and
    // openResult once they run out: a port that fails part way through a run.
    std::vector<hwd::MidiResult> openResults;
    // What sendLong answers (0 takes the message).
    hwd::MidiResult sendLongResult = hwd::midiSuccess;
    // As openResults, for sendLong.
    std::vector<hwd::MidiResult> sendLongResults;
    // False: a taken message never completes, so the wait ends by time-out.
    bool completionComes = true;
    // The texts errorText gives per code; a code missing here has no text and
    // leaves the caller's buffer untouched.
    std::map<hwd::MidiResult, std::string> errorTexts;
    // What accessProblem answers (not logged: the sender never asks).
    hwd::MidiAccessProblem access;
    // What openNote answers while a port is open (not logged).
    std::string note;

    // --- The record. ---
    std::vector<std::string> calls;
    // A copy of each message handed to sendLong, in order, refused ones included.
    std::vector<std::vector<std::uint8_t>> sentMessages;
    // Where each of those messages lay: the port reads the caller's buffer in place.
    std::vector<const std::uint8_t*> sentAddresses;
    // How many completion signals were created.
    int signalsCreated = 0;

    // True while a port is open (between a successful open and close).
    [[nodiscard]] bool isOpen() const noexcept { return open_; }
    // Sets every completion signal made here, as the platform does on its own
    // (to check that a stale signal is cleared before the wait).
    void setSignals();
    // Forgets the calls and messages recorded so far; the script stays.
    void clearRecord();

    // MidiOutput
    unsigned deviceCount() override;
    hwd::MidiResult deviceCaps(unsigned deviceId, hwd::MidiOutputCaps& caps) override;
    std::unique_ptr<hwd::MidiCompletionSignal> createCompletionSignal() override;
    hwd::MidiResult open(int deviceId, hwd::MidiCompletionSignal& done) override;
    void prepare(std::span<const std::uint8_t> message) override;
    hwd::MidiResult sendLong(std::span<const std::uint8_t> message) override;
    void reset() override;
    void unprepare() override;
    void close() override;
    void errorText(hwd::MidiResult code, char* text, std::size_t size) override;
    void pause(unsigned milliseconds) override;
    hwd::MidiAccessProblem accessProblem() override { return access; }
    std::string openNote() override { return open_ ? note : std::string(); }

private:
    class Signal;

    // Every signal's state stays here, so the script can set them all.
    std::vector<std::shared_ptr<bool>> signalStates_;
    // The state of the signal the open port sets; null when the port has none of ours.
    std::shared_ptr<bool> portSignal_;
    unsigned countCalls_ = 0;
    std::size_t openCalls_ = 0;
    std::size_t sendLongCalls_ = 0;
    bool open_ = false;
    bool inFlight_ = false;
};
