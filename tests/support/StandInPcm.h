#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A sound card of the tests' own behind ALSA's default PCM: the library loads
// it as an external plugin (this shared library, named by the configuration
// that a Card puts in place), so a stream reaches it by name
// through the real ALSA calls, as it reaches a card. It plays a card's part on
// the test's clock: time passes only when the test says so, and then the card
// plays what it was given. A card that runs out of frames while it runs
// underruns, as the kernel's do (their stop threshold is the whole buffer), and
// its poll descriptor fires as theirs does: when a period's room is free, and
// in an error state. Mono signed 16-bit at 48,000 frames a second only.
namespace StandInPcm {

// How the descriptor tells of an error state: with POLLOUT, as the kernel's
// cards do, or alone, as a plugin's may.
enum class ErrorEvents { withRoom, alone };

// ALSA's default PCM in this process from the next open on, while it lives;
// one at a time.
class Card final {
public:
    Card();
    ~Card();
    Card(const Card&) = delete;
    Card& operator=(const Card&) = delete;

    // --- The script. ---
    ErrorEvents errorEvents = ErrorEvents::withRoom;

    // Time passes: frames' worth of it. A running card plays that many of
    // the frames it holds, and underruns if it holds fewer.
    void pass(std::size_t frames);
    // The card runs dry between the stream's look at its room and its next
    // write, as a late timer can make it: it plays all it holds, underruns,
    // and refuses that write.
    void runDryAtTheNextWrite() noexcept { dryAtTheNextWrite_ = true; }
    // The card goes away, as a USB card unplugged does.
    void unplug();
    // The descriptor fires with an error while the card says it is playing
    // and has no room: an error it gives no state for.
    void failWithoutSaying();

    // --- The record. ---
    // Every frame played, in order.
    [[nodiscard]] const std::vector<std::int16_t>& heard() const noexcept { return heard_; }
    [[nodiscard]] int underruns() const noexcept { return underruns_; }

    struct Connection;

private:
    friend struct Connection;

    Connection* connection_ = nullptr;
    std::vector<std::int16_t> heard_;
    int underruns_ = 0;
    bool dryAtTheNextWrite_ = false;
};

} // namespace StandInPcm
