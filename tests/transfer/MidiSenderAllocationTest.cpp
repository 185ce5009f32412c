// A send allocates no memory of its own: the dump lies in the process-wide
// buffer, the error text in the outcome, and the completion signal is made
// once. This program counts every allocation, so it drives the sender with a
// port that allocates nothing itself.
#include "CountingAllocator.h"

#include "transfer/MidiSender.h"
#include "wave/Waveshape.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace hwd;

namespace {

class QuietSignal final : public MidiCompletionSignal {
public:
    void reset() override {}
    bool wait(unsigned) override { return completes; }
    bool completes = true;
};

class QuietOutput final : public MidiOutput {
public:
    unsigned deviceCount() override { return 1; }
    MidiResult deviceCaps(unsigned, MidiOutputCaps& caps) override
    {
        std::strcpy(caps.name, "Port");
        caps.hardwarePort = true;
        return midiSuccess;
    }
    std::unique_ptr<MidiCompletionSignal> createCompletionSignal() override
    {
        return std::make_unique<QuietSignal>();
    }
    MidiResult open(int, MidiCompletionSignal&) override { return openResult; }
    void prepare(std::span<const std::uint8_t>) override {}
    MidiResult sendLong(std::span<const std::uint8_t>) override { return sendLongResult; }
    void reset() override {}
    void unprepare() override {}
    void close() override {}
    void errorText(MidiResult, char* text, std::size_t size) override
    {
        std::memset(text, 'e', size - 1);
        text[size - 1] = '\0';
    }
    void pause(unsigned) override {}

    MidiResult openResult = midiSuccess;
    MidiResult sendLongResult = midiSuccess;
};

TEST(MidiSenderAllocation, SendsAfterTheFirstAllocateNothingOnAnyPath)
{
    QuietOutput output;
    Waveshape wave;
    wave.loaded = true;
    MidiSender sender(output);
    (void)sender.send(wave, 0, 96); // makes the completion signal, once

    int failures = 0;
    EXPECT_EQ(CountingAllocator::allocationsDuring([&] {
                  failures += sender.send(wave, 0, 96).result != SendResult::sent;
                  output.openResult = 2;
                  failures += sender.send(wave, 0, 96).result == SendResult::openFailed;
                  output.openResult = midiSuccess;
                  output.sendLongResult = 3;
                  failures += sender.send(wave, 0, 96).result == SendResult::refused;
              }),
              0u);
    EXPECT_EQ(failures, 2);
}

} // namespace
