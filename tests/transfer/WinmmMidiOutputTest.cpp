// The WinMM backend twice: against a stand-in for the WinMM calls, which checks
// what it lists, opens and reports; and on the Windows (or wine) that runs the
// tests, which need not have any MIDI device: whatever the system offers, the
// backend must answer sensibly. Nothing waits for a real port.
#include "ScriptedMidiOutput.h"

#include "transfer/MidiOutput.h"
#include "transfer/MidiSender.h"
#include "transfer/winmm/WinmmMidiOutput.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

using namespace hwd;

namespace {

// --- The stand-in: the WinMM calls answered from one script -------------------

struct StandInDevice {
    std::string name;
    WORD technology = MOD_MIDIPORT;
    MMRESULT capsResult = MMSYSERR_NOERROR;
};

struct StandInWinmm {
    std::vector<StandInDevice> devices;
    MMRESULT openResult = MMSYSERR_NOERROR;
    // A failing open writes a handle first, as a driver may.
    bool handleWrittenOnFailure = false;
    MMRESULT longMsgResult = MMSYSERR_NOERROR;
    DWORD waitResult = WAIT_OBJECT_0;
    // What getErrorText writes, cut to the size given as the system does.
    std::string errorText;

    // The record.
    int countCalls = 0;
    std::vector<std::string> calls;
    std::vector<UINT> openedDevices;
    std::vector<DWORD> openFlags;
    std::vector<HMIDIOUT> closedHandles;
    std::vector<UINT> errorTextSizes;
    int nextHandle = 0x100;
    HMIDIOUT openHandle = nullptr;
};

StandInWinmm* script = nullptr;
// The one event the stand-in hands out; only its address matters.
char eventObject;

UINT WINAPI standInGetNumDevs()
{
    ++script->countCalls;
    script->calls.push_back("count");
    return static_cast<UINT>(script->devices.size());
}

MMRESULT WINAPI standInGetDevCaps(UINT_PTR deviceId, LPMIDIOUTCAPSA caps, UINT size)
{
    script->calls.push_back("caps " + std::to_string(deviceId));
    if (deviceId >= script->devices.size() || size != sizeof(MIDIOUTCAPSA))
        return MMSYSERR_BADDEVICEID;
    const StandInDevice& device = script->devices[deviceId];
    if (device.capsResult != MMSYSERR_NOERROR)
        return device.capsResult;
    *caps = MIDIOUTCAPSA{};
    // A name of 32 characters fills the field and leaves no terminator, as a driver may.
    std::memcpy(caps->szPname, device.name.data(), std::min(device.name.size(), sizeof caps->szPname));
    caps->wTechnology = device.technology;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInOpen(LPHMIDIOUT handle, UINT deviceId, DWORD_PTR callback, DWORD_PTR, DWORD flags)
{
    script->calls.push_back("open " + std::to_string(static_cast<int>(deviceId)));
    script->openedDevices.push_back(deviceId);
    script->openFlags.push_back(flags);
    if (callback != reinterpret_cast<DWORD_PTR>(&eventObject))
        return MMSYSERR_INVALPARAM;
    if (script->openResult != MMSYSERR_NOERROR && !script->handleWrittenOnFailure)
        return script->openResult;
    *handle = reinterpret_cast<HMIDIOUT>(static_cast<INT_PTR>(script->nextHandle++));
    if (script->openResult != MMSYSERR_NOERROR)
        return script->openResult;
    script->openHandle = *handle;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInPrepareHeader(HMIDIOUT, LPMIDIHDR header, UINT)
{
    script->calls.push_back("prepare " + std::to_string(header->dwBufferLength));
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInLongMsg(HMIDIOUT, LPMIDIHDR, UINT)
{
    script->calls.emplace_back("longMsg");
    return script->longMsgResult;
}

MMRESULT WINAPI standInReset(HMIDIOUT)
{
    script->calls.emplace_back("reset");
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInUnprepareHeader(HMIDIOUT, LPMIDIHDR, UINT)
{
    script->calls.emplace_back("unprepare");
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInClose(HMIDIOUT handle)
{
    script->calls.emplace_back("close");
    script->closedHandles.push_back(handle);
    if (handle != script->openHandle)
        return MMSYSERR_INVALHANDLE;
    script->openHandle = nullptr;
    return MMSYSERR_NOERROR;
}

MMRESULT WINAPI standInGetErrorText(MMRESULT, LPSTR text, UINT size)
{
    script->errorTextSizes.push_back(size);
    if (size == 0)
        return MMSYSERR_INVALPARAM;
    const std::size_t length = std::min<std::size_t>(script->errorText.size(), size - 1);
    std::memcpy(text, script->errorText.data(), length);
    text[length] = '\0';
    return MMSYSERR_NOERROR;
}

HANDLE WINAPI standInCreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL signalled, LPCSTR)
{
    script->calls.push_back(manualReset && !signalled ? "createEvent" : "createEvent of the wrong kind");
    return &eventObject;
}

BOOL WINAPI standInResetEvent(HANDLE)
{
    script->calls.emplace_back("resetEvent");
    return TRUE;
}

DWORD WINAPI standInWait(HANDLE, DWORD milliseconds)
{
    script->calls.push_back("wait " + std::to_string(milliseconds));
    return script->waitResult;
}

void WINAPI standInSleep(DWORD milliseconds)
{
    script->calls.push_back("sleep " + std::to_string(milliseconds));
}

constexpr WinmmCalls standInCalls{
    standInGetNumDevs, standInGetDevCaps,   standInOpen,        standInPrepareHeader, standInLongMsg,
    standInReset,      standInUnprepareHeader, standInClose,    standInGetErrorText,  standInCreateEvent,
    standInResetEvent, standInWait,         standInSleep,
};

// The sender on the backend on the stand-in, with a wave loaded.
class WinmmOnStandIn : public ::testing::Test {
protected:
    // The calls answer from winmm until the backend is gone (its destructor may close).
    struct Installed {
        explicit Installed(StandInWinmm& winmm) { script = &winmm; }
        ~Installed() { script = nullptr; }
    };

    StandInWinmm winmm;
    Installed installed{winmm};
    std::unique_ptr<MidiOutput> output = makeWinmmMidiOutput(standInCalls);
    Waveshape wave = [] {
        Waveshape loaded;
        loaded.loaded = true;
        return loaded;
    }();
    MidiSender sender{*output};

    std::vector<std::string> listedPorts()
    {
        std::vector<std::string> listed;
        for (const MidiPort& port : listHardwarePorts(*output))
            listed.push_back(std::to_string(port.deviceId) + " " + port.name);
        return listed;
    }
    SendResult sendTo(int device) { return sender.send(wave, device, 96).result; }
};

TEST_F(WinmmOnStandIn, ListsOnlyMidiPortsWithTheirDeviceIds)
{
    winmm.devices = {
        {"Synth", MOD_SYNTH},
        {"Port A", MOD_MIDIPORT},
        {"Square", MOD_SQSYNTH},
        {"FM", MOD_FMSYNTH},
        {"Mapper", MOD_MAPPER},
        {"Broken", MOD_MIDIPORT, MMSYSERR_NODRIVER},
        {"Wavetable", MOD_WAVETABLE},
        {"Software", MOD_SWSYNTH},
        {"Port B", MOD_MIDIPORT},
    };

    EXPECT_EQ(listedPorts(), (std::vector<std::string>{"1 Port A", "8 Port B"}));
    // Asked again before each device and once more to end.
    EXPECT_EQ(winmm.countCalls, 10);
    EXPECT_EQ(winmm.calls[0], "count");
    EXPECT_EQ(winmm.calls[1], "caps 0");
    EXPECT_EQ(winmm.calls[2], "count");
}

TEST_F(WinmmOnStandIn, AFullNameIsCutTo31Characters)
{
    winmm.devices = {{std::string(32, 'n'), MOD_MIDIPORT}};

    EXPECT_EQ(listedPorts(), (std::vector<std::string>{"0 " + std::string(31, 'n')}));
}

TEST_F(WinmmOnStandIn, ASendOpensWithTheEventAndClosesAfterThePause)
{
    winmm.devices = {{"Synth", MOD_SYNTH}, {"Port", MOD_MIDIPORT}};

    EXPECT_EQ(sendTo(1), SendResult::sent);

    EXPECT_EQ(winmm.calls, (std::vector<std::string>{"createEvent", "open 1", "prepare 300", "resetEvent", "longMsg",
                                                     "wait 30000", "unprepare", "sleep 100", "close"}));
    EXPECT_EQ(winmm.openFlags, (std::vector<DWORD>{CALLBACK_EVENT}));
    EXPECT_EQ(winmm.openHandle, nullptr);
}

TEST_F(WinmmOnStandIn, ASecondSendOpensThePortAgain)
{
    winmm.devices = {{"Port", MOD_MIDIPORT}};

    EXPECT_EQ(sendTo(0), SendResult::sent);
    EXPECT_EQ(sendTo(0), SendResult::sent);

    EXPECT_EQ(winmm.openedDevices, (std::vector<UINT>{0, 0}));
    ASSERT_EQ(winmm.closedHandles.size(), 2u);
    EXPECT_NE(winmm.closedHandles[0], winmm.closedHandles[1]);
    EXPECT_EQ(winmm.openHandle, nullptr);
}

// Else the handle the driver wrote would be taken for an open port: the next
// send would find the port in use, or close what was never opened.
TEST_F(WinmmOnStandIn, AnOpenThatFailedAfterTheDriverWroteAHandleLeavesNoPortOpen)
{
    winmm.devices = {{"Port", MOD_MIDIPORT}};
    winmm.openResult = MMSYSERR_NOMEM;
    winmm.handleWrittenOnFailure = true;
    EXPECT_EQ(sendTo(0), SendResult::openFailed);

    winmm.openResult = MMSYSERR_NOERROR;
    EXPECT_EQ(sendTo(0), SendResult::sent);

    EXPECT_EQ(winmm.openedDevices, (std::vector<UINT>{0, 0}));
    // Only the second open's handle, 0x101, was a port.
    EXPECT_EQ(winmm.closedHandles, (std::vector<HMIDIOUT>{reinterpret_cast<HMIDIOUT>(static_cast<INT_PTR>(0x101))}));
}

TEST_F(WinmmOnStandIn, ATimedOutSendResetsThePort)
{
    winmm.devices = {{"Port", MOD_MIDIPORT}};
    winmm.waitResult = WAIT_TIMEOUT;

    EXPECT_EQ(sendTo(0), SendResult::timedOut);

    EXPECT_EQ(winmm.calls, (std::vector<std::string>{"createEvent", "open 0", "prepare 300", "resetEvent", "longMsg",
                                                     "wait 30000", "reset", "unprepare", "sleep 100", "close"}));
}

TEST_F(WinmmOnStandIn, TheErrorTextIsCutAt98Characters)
{
    winmm.openResult = MMSYSERR_ALLOCATED;
    winmm.errorText = std::string(150, 'e');

    char text[100];
    std::memset(text, '#', sizeof text);
    output->errorText(MMSYSERR_ALLOCATED, text, 99);
    EXPECT_EQ(std::strlen(text), 98u);
    EXPECT_EQ(text[99], '#');

    // No port listed: the send goes to the mapper, whose open fails.
    const SendOutcome outcome = sender.send(wave, defaultMidiDevice, 96);
    EXPECT_EQ(winmm.openedDevices, (std::vector<UINT>{static_cast<UINT>(-1)}));
    EXPECT_EQ(outcome.message(), MidiSenderMessages::openFailed + std::string(98, 'e'));
    EXPECT_EQ(winmm.errorTextSizes, (std::vector<UINT>{99, 99}));
    EXPECT_TRUE(winmm.closedHandles.empty());
}

// --- The system's own WinMM ------------------------------------------------------

TEST(WinmmMidiOutput, ACompletionSignalStartsClearAndWaitsWithoutBlockingAtZero)
{
    const auto output = makeSystemMidiOutput();
    const auto signal = output->createCompletionSignal();
    ASSERT_NE(signal, nullptr);

    EXPECT_FALSE(signal->wait(0));
    signal->reset();
    EXPECT_FALSE(signal->wait(0));
}

TEST(WinmmMidiOutput, EveryListedDeviceHasATerminatedName)
{
    const auto output = makeSystemMidiOutput();
    const unsigned count = output->deviceCount();
    for (unsigned device = 0; device < count; ++device) {
        MidiOutputCaps caps;
        std::memset(caps.name, '#', sizeof caps.name);
        if (output->deviceCaps(device, caps) == midiSuccess) {
            EXPECT_LT(std::strlen(caps.name), sizeof caps.name) << device;
        }
    }
    MidiOutputCaps caps;
    EXPECT_NE(output->deviceCaps(count + 1000, caps), midiSuccess);
}

TEST(WinmmMidiOutput, ErrorTextsFitTheSizeGiven)
{
    const auto output = makeSystemMidiOutput();
    char text[100] = {};
    // MMSYSERR_BADDEVICEID
    output->errorText(2, text, 99);
    EXPECT_GT(std::strlen(text), 0u);
    EXPECT_LE(std::strlen(text), 98u);
}

TEST(WinmmMidiOutput, RefusesASignalItDidNotMake)
{
    const auto output = makeSystemMidiOutput();
    ScriptedMidiOutput other;
    const auto foreign = other.createCompletionSignal();

    EXPECT_NE(output->open(defaultMidiDevice, *foreign), midiSuccess);
    // Nothing is open, so these find nothing to act on.
    output->reset();
    output->unprepare();
    output->close();
}

TEST(WinmmMidiOutput, TheDefaultPortOpensAndClosesOrFailsWithAText)
{
    const auto output = makeSystemMidiOutput();
    const auto signal = output->createCompletionSignal();

    const MidiResult result = output->open(defaultMidiDevice, *signal);

    if (result == midiSuccess) {
        output->close();
        // A second open proves the close let go of the port.
        ASSERT_EQ(output->open(defaultMidiDevice, *signal), midiSuccess);
        output->close();
        return;
    }
    char text[100] = {};
    output->errorText(result, text, 99);
    EXPECT_GT(std::strlen(text), 0u) << "code " << result;
}

} // namespace
