// The ALSA sequencer's port for a raw MIDI output. A sequencer connection to a
// hardware port opens the port's raw MIDI device for as long as it lives: that
// is how a DAW connected to the interface holds it, and why its raw MIDI open
// fails as busy. One more connection shares the device that is open already,
// and the dump goes through it as one SysEx event.
#include "AlsaSystemPorts.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <optional>

namespace hwd {

namespace {

using Clock = std::chrono::steady_clock;

// The sequencer does not say when the bytes have left: the time a MIDI link
// takes for them stands in, 10 bits a byte at 31250 baud.
constexpr auto wireTimePerByte = std::chrono::microseconds(320);
// The kernel's sequencer driver for raw MIDI (seq-midi) makes one client per
// card, and numbers the ports of raw MIDI device D from D * 32, one per subdevice.
constexpr int portsPerRawMidiDevice = 32;
constexpr unsigned writableByConnection = SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;

class SequencerStream final : public AlsaOutputStream {
public:
    explicit SequencerStream(snd_seq_t* sequencer) : sequencer_(sequencer) {}
    SequencerStream(const SequencerStream&) = delete;
    SequencerStream& operator=(const SequencerStream&) = delete;
    // Closing the client ends its connection too.
    ~SequencerStream() override { snd_seq_close(sequencer_); }

    // Connects a port of this client to the destination: the first error, 0 when connected.
    MidiResult connect(const snd_seq_addr_t& destination)
    {
        if (const int result = snd_seq_set_client_name(sequencer_, "Harlix Wave Dump"); result < 0)
            return static_cast<MidiResult>(-result);
        port_ = snd_seq_create_simple_port(sequencer_, "Wave dump", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                           SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
        if (port_ < 0)
            return static_cast<MidiResult>(-port_);
        if (const int result = snd_seq_connect_to(sequencer_, port_, destination.client, destination.port); result < 0)
            return static_cast<MidiResult>(-result);
        return midiSuccess;
    }

    MidiResult write(std::span<const std::uint8_t> message) override
    {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        snd_seq_ev_set_source(&event, port_);
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        // The library copies the bytes and never writes to them.
        snd_seq_ev_set_sysex(&event, message.size(), const_cast<std::uint8_t*>(message.data()));
        // Straight to the kernel, which hands it to the raw MIDI device before it returns.
        if (const int result = snd_seq_event_output_direct(sequencer_, &event); result < 0)
            return static_cast<MidiResult>(-result);
        leftBy_ = Clock::now() + wireTimePerByte * message.size();
        return midiSuccess;
    }

    bool drained() override { return Clock::now() >= leftBy_; }

    // The event was delivered whole: there is nothing left to take back.
    void drop() override { leftBy_ = Clock::now(); }

private:
    snd_seq_t* sequencer_;
    int port_ = -1;
    Clock::time_point leftBy_ = Clock::now();
};

// The sequencer port of the raw MIDI output: in the kernel client of the
// port's card, writable through a connection.
std::optional<snd_seq_addr_t> findPort(snd_seq_t* sequencer, const AlsaPortAddress& port)
{
    const int number = port.device * portsPerRawMidiDevice + static_cast<int>(port.subdevice);
    snd_seq_client_info_t* client;
    snd_seq_client_info_alloca(&client);
    snd_seq_port_info_t* info;
    snd_seq_port_info_alloca(&info);
    snd_seq_client_info_set_client(client, -1);
    while (snd_seq_query_next_client(sequencer, client) == 0) {
        if (snd_seq_client_info_get_type(client) != SND_SEQ_KERNEL_CLIENT
            || snd_seq_client_info_get_card(client) != port.card)
            continue;
        const int id = snd_seq_client_info_get_client(client);
        if (snd_seq_get_any_port_info(sequencer, id, number, info) < 0)
            continue;
        const bool hardware = (snd_seq_port_info_get_type(info) & SND_SEQ_PORT_TYPE_HARDWARE) != 0;
        if (hardware && (snd_seq_port_info_get_capability(info) & writableByConnection) == writableByConnection)
            return snd_seq_addr_t{static_cast<unsigned char>(id), static_cast<unsigned char>(number)};
    }
    return std::nullopt;
}

} // namespace

AlsaOpenedStream openSequencerStream(const AlsaPortAddress& port)
{
    snd_seq_t* sequencer = nullptr;
    if (const int result = snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_OUTPUT, SND_SEQ_NONBLOCK); result < 0)
        return {nullptr, static_cast<MidiResult>(-result)};
    auto stream = std::make_unique<SequencerStream>(sequencer);
    const std::optional<snd_seq_addr_t> destination = findPort(sequencer, port);
    if (!destination)
        return {nullptr, ENOENT};
    if (const MidiResult connected = stream->connect(*destination); connected != midiSuccess)
        return {nullptr, connected};
    return {std::move(stream), midiSuccess};
}

} // namespace hwd
