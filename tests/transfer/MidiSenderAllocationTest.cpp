// A send allocates no memory of its own: the dump lies in the process-wide
// buffer, the texts on the stack, and the completion signal is made once. This
// program counts every allocation, so it drives the sender with a port and
// controls that allocate nothing themselves.
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

class FixedList final : public ListControl {
public:
    int addItem(const char*) override { return count < 32 ? count++ : -1; }
    void setItemData(int index, long value) override { data[index] = value; }
    void setCurrentIndex(int index) override { selected = index < count ? index : -1; }
    int currentIndex() const override { return selected; }
    long itemData(int index) const override { return index < 0 || index >= count ? -1 : data[index]; }

private:
    long data[32] = {};
    int count = 0;
    int selected = -1;
};

class CountingPresenter final : public MessagePresenter {
public:
    void show(const char*, const char*, MessageIcon) override { ++shown; }
    int shown = 0;
};

TEST(MidiSenderAllocation, SendsAfterTheFirstAllocateNothingOnAnyPath)
{
    QuietOutput output;
    Waveshape wave;
    wave.loaded = true;
    FixedList ports;
    FixedList waveNumbers;
    CountingPresenter boxes;
    MidiSender sender(output, wave, ports, waveNumbers, boxes);
    sender.fillWaveNumberList();
    sender.fillPortList();
    sender.send(); // makes the completion signal, once

    EXPECT_EQ(CountingAllocator::allocationsDuring([&] {
                  sender.send();
                  output.openResult = 2;
                  sender.send();
                  output.openResult = midiSuccess;
                  output.sendLongResult = 3;
                  sender.send();
              }),
              0u);
    EXPECT_EQ(boxes.shown, 2);
}

} // namespace
