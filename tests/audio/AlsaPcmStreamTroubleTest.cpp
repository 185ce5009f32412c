// The preview's stream on a card that plays in time (the tests' stand-in card,
// on the test's clock), serviced as the event loop services it: a program held
// up past the card's buffer, and a card that reports trouble on its descriptor.
#include "CaseNames.h"
#include "RampTone.h"
#include "StandInPcm.h"

#include "audio/TonePreview.h"
#include "audio/alsa/AlsaPcmStream.h"

#include <gtest/gtest.h>

#include <poll.h>

using namespace hwd;
using StandInPcm::Card;

namespace {

using CaseNames::PrintTo;

constexpr std::size_t framesPerMs = 48;

// Lets ms pass on the card a millisecond at a time and services the stream
// whenever its descriptors fire, as the event loop does. Answers the reason
// the stream stopped, or that its descriptors still fire after three services
// in a row (the event loop would spin on them), or nothing.
std::string playFor(AlsaPcmStream& stream, Card& card, int ms)
{
    for (int step = 0; step < ms; ++step) {
        card.pass(framesPerMs);
        for (int services = 0;; ++services) {
            std::vector<pollfd> descriptors = stream.pollDescriptors();
            if (descriptors.empty() || ::poll(descriptors.data(), descriptors.size(), 0) <= 0)
                break;
            if (services == 3)
                return "its descriptors still fire after three services";
            if (std::string problem = stream.service(descriptors); !problem.empty())
                return problem;
        }
    }
    return {};
}

// A send holds the program's only thread for up to 30 s while Listen plays:
// 200 ms without a service runs the card dry.
void holdUp200Ms(Card& card)
{
    card.pass(200 * framesPerMs);
}

// The next write then carries 23 ms of frames, and once they are in, less
// than a period's room (10 ms) is left for the card to ask for more.
void runDryAtTheWriteAfter22Ms(Card& card)
{
    card.pass(22 * framesPerMs);
    card.runDryAtTheNextWrite();
}

struct Underrun {
    const char* name;
    void (*comes)(Card&);
    StandInPcm::ErrorEvents events;
};

class AnUnderrun : public ::testing::TestWithParam<Underrun> {};

TEST_P(AnUnderrun, IsRecoveredFromAndTheToneGoesOnWholeFromTheFrameAfterTheLastOneHeard)
{
    Card card;
    card.errorEvents = GetParam().events;
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    ASSERT_EQ(stream.open(source), "");
    ASSERT_EQ(playFor(stream, card, 100), "");

    GetParam().comes(card);
    const std::size_t heardBefore = card.heard().size();
    ASSERT_EQ(playFor(stream, card, 100), "");

    EXPECT_EQ(card.underruns(), 1);
    EXPECT_TRUE(stream.isOpen());
    const std::vector<std::int16_t>& heard = card.heard();
    EXPECT_GE(heard.size(), heardBefore + 90 * framesPerMs) << "the tone did not go on";
    for (std::size_t k = 0; k < heard.size(); ++k)
        ASSERT_EQ(heard[k], RampTone::halfLevelFrame(k)) << "frame " << k;
    // The ramp repeats every 128 frames: the count shows that no whole cycle
    // was lost or made twice, since what was made and not heard is queued.
    EXPECT_EQ(heard.size() + static_cast<std::size_t>(stream.queuedFrames().value_or(-1)), source.framesMade());
}

INSTANTIATE_TEST_SUITE_P(
    OnACardThatPlaysInTime, AnUnderrun,
    ::testing::Values(
        Underrun{"HeldUpReportedWithRoomAsTheKernelsCardsDo", holdUp200Ms, StandInPcm::ErrorEvents::withRoom},
        Underrun{"HeldUpReportedAloneAsAPluginMay", holdUp200Ms, StandInPcm::ErrorEvents::alone},
        Underrun{"FoundByAWriteOfNearlyABuffer", runDryAtTheWriteAfter22Ms, StandInPcm::ErrorEvents::withRoom}),
    CaseNames::byName);

struct Trouble {
    const char* name;
    void (Card::*happen)();
    const char* reason;
};

class TroubleOnTheCard : public ::testing::TestWithParam<Trouble> {};

// Right after the open the card's buffer is full, so no write is there to
// find the trouble out.
TEST_P(TroubleOnTheCard, EndsTheStreamWithItsReasonAtTheNextService)
{
    Card card;
    const Waveshape wave = RampTone::wave();
    TonePreview source(wave, RampTone::oneSampleAFrame);
    AlsaPcmStream stream;
    ASSERT_EQ(stream.open(source), "");

    (card.*GetParam().happen)();

    EXPECT_EQ(playFor(stream, card, 1), GetParam().reason);
    EXPECT_FALSE(stream.isOpen());
}

INSTANTIATE_TEST_SUITE_P(OnItsDescriptor, TroubleOnTheCard,
                         ::testing::Values(Trouble{"Unplugged", &Card::unplug, "No such device"},
                                           Trouble{"AnErrorItGivesNoStateFor", &Card::failWithoutSaying,
                                                   "Input/output error"}),
                         CaseNames::byName);

} // namespace
