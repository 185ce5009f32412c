#include "StandInPcm.h"

#include <alsa/asoundlib.h>
#include <alsa/pcm_external.h>

#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <deque>
#include <memory>

namespace StandInPcm {

namespace {

Card* installedCard = nullptr;

} // namespace

// One open of the card: ALSA's handle on it, what it holds, and the
// descriptor the stream waits on (an eventfd, readable while it fires).
struct Card::Connection {
    enum class Trouble { none, underrun, unplugged, unspoken };

    snd_pcm_ioplug_t io{};
    Card* card = nullptr;
    int event = -1;
    bool firing = false;
    std::deque<std::int16_t> held;
    // Frames played since the last prepare: the card's hardware pointer.
    snd_pcm_uframes_t played = 0;
    snd_pcm_uframes_t availMin = 1;
    Trouble trouble = Trouble::none;

    static Connection& of(snd_pcm_ioplug_t* io) { return *static_cast<Connection*>(io->private_data); }

    // As the kernel's cards: ready with a period's room, or in an error state.
    void updateDescriptor()
    {
        const bool room = held.size() + availMin <= io.buffer_size;
        const bool fire = trouble != Trouble::none || room;
        std::uint64_t count = 1;
        if (fire && !firing)
            static_cast<void>(::write(event, &count, sizeof count));
        if (!fire && firing)
            static_cast<void>(::read(event, &count, sizeof count));
        firing = fire;
    }

    static int start(snd_pcm_ioplug_t*) { return 0; }
    static int stop(snd_pcm_ioplug_t*) { return 0; }

    // With SND_PCM_IOPLUG_FLAG_BOUNDARY_WA, so that a whole buffer played
    // between two looks is not taken for none.
    static snd_pcm_sframes_t pointer(snd_pcm_ioplug_t* io) { return static_cast<snd_pcm_sframes_t>(of(io).played); }

    static snd_pcm_sframes_t transfer(snd_pcm_ioplug_t* io, const snd_pcm_channel_area_t* areas,
                                      snd_pcm_uframes_t offset, snd_pcm_uframes_t size)
    {
        Connection& self = of(io);
        if (self.card != nullptr && self.card->dryAtTheNextWrite_) {
            self.card->dryAtTheNextWrite_ = false;
            self.card->pass(self.held.size() + 1);
            return -EPIPE;
        }
        const auto* bytes = static_cast<const char*>(areas[0].addr) + (areas[0].first + offset * areas[0].step) / 8;
        const auto* frames = reinterpret_cast<const std::int16_t*>(bytes);
        self.held.insert(self.held.end(), frames, frames + size);
        self.updateDescriptor();
        return static_cast<snd_pcm_sframes_t>(size);
    }

    // A prepare drops what the card holds and ends an underrun (ALSA itself
    // refuses to prepare a card that is gone).
    static int prepare(snd_pcm_ioplug_t* io)
    {
        Connection& self = of(io);
        self.held.clear();
        self.played = 0;
        if (self.trouble == Trouble::underrun)
            self.trouble = Trouble::none;
        self.updateDescriptor();
        return 0;
    }

    static int swParams(snd_pcm_ioplug_t* io, snd_pcm_sw_params_t* params)
    {
        Connection& self = of(io);
        const int error = snd_pcm_sw_params_get_avail_min(params, &self.availMin);
        self.updateDescriptor();
        return error;
    }

    static int pollRevents(snd_pcm_ioplug_t* io, struct pollfd* descriptors, unsigned int count,
                           unsigned short* revents)
    {
        const Connection& self = of(io);
        *revents = 0;
        if (count == 0 || (descriptors[0].revents & POLLIN) == 0)
            return 0;
        const bool alone = self.card != nullptr && self.card->errorEvents == ErrorEvents::alone;
        if (self.trouble == Trouble::unspoken)
            *revents = POLLERR;
        else if (self.trouble != Trouble::none)
            *revents = alone ? POLLERR : POLLOUT | POLLERR;
        else if (self.firing)
            *revents = POLLOUT;
        return 0;
    }

    static int close(snd_pcm_ioplug_t* io)
    {
        const std::unique_ptr<Connection> self(&of(io));
        ::close(self->event);
        if (self->card != nullptr)
            self->card->connection_ = nullptr;
        return 0;
    }

    // Mono S16 at 48,000 only; periods and buffers of any sensible size.
    int constrain()
    {
        static constexpr unsigned accesses[] = {SND_PCM_ACCESS_RW_INTERLEAVED};
        static constexpr unsigned formats[] = {SND_PCM_FORMAT_S16_LE};
        int error = snd_pcm_ioplug_set_param_list(&io, SND_PCM_IOPLUG_HW_ACCESS, 1, accesses);
        if (error >= 0)
            error = snd_pcm_ioplug_set_param_list(&io, SND_PCM_IOPLUG_HW_FORMAT, 1, formats);
        if (error >= 0)
            error = snd_pcm_ioplug_set_param_minmax(&io, SND_PCM_IOPLUG_HW_CHANNELS, 1, 1);
        if (error >= 0)
            error = snd_pcm_ioplug_set_param_minmax(&io, SND_PCM_IOPLUG_HW_RATE, 48000, 48000);
        if (error >= 0)
            error = snd_pcm_ioplug_set_param_minmax(&io, SND_PCM_IOPLUG_HW_PERIOD_BYTES, 64, 96000);
        if (error >= 0)
            error = snd_pcm_ioplug_set_param_minmax(&io, SND_PCM_IOPLUG_HW_BUFFER_BYTES, 128, 192000);
        if (error >= 0)
            error = snd_pcm_ioplug_set_param_minmax(&io, SND_PCM_IOPLUG_HW_PERIODS, 2, 64);
        return error;
    }

    static int open(snd_pcm_t** pcm, const char* name, snd_pcm_stream_t stream, int mode);
};

namespace {

const snd_pcm_ioplug_callback_t callbacks = [] {
    using Connection = Card::Connection;
    snd_pcm_ioplug_callback_t table{};
    table.start = Connection::start;
    table.stop = Connection::stop;
    table.pointer = Connection::pointer;
    table.transfer = Connection::transfer;
    table.close = Connection::close;
    table.sw_params = Connection::swParams;
    table.prepare = Connection::prepare;
    table.poll_revents = Connection::pollRevents;
    return table;
}();

} // namespace

int Card::Connection::open(snd_pcm_t** pcm, const char* name, snd_pcm_stream_t stream, int mode)
{
    if (installedCard == nullptr || installedCard->connection_ != nullptr || stream != SND_PCM_STREAM_PLAYBACK)
        return -ENODEV;
    auto connection = std::make_unique<Connection>();
    connection->card = installedCard;
    connection->event = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (connection->event < 0)
        return -errno;
    snd_pcm_ioplug_t& io = connection->io;
    io.version = SND_PCM_IOPLUG_VERSION;
    io.name = "Harlix Wave Dump tests' stand-in card";
    io.flags = SND_PCM_IOPLUG_FLAG_BOUNDARY_WA;
    io.poll_fd = connection->event;
    io.poll_events = POLLIN;
    io.callback = &callbacks;
    io.private_data = connection.get();
    if (const int error = snd_pcm_ioplug_create(&io, name, stream, mode); error < 0) {
        ::close(connection->event);
        return error;
    }
    if (const int error = connection->constrain(); error < 0) {
        // Deleting the plugin closes it, and its close callback frees the connection.
        snd_pcm_ioplug_delete(&connection.release()->io);
        return error;
    }
    *pcm = io.pcm;
    installedCard->connection_ = connection.release();
    return 0;
}

Card::Card()
{
    installedCard = this;
    ::setenv("ALSA_CONFIG_PATH", HWD_STAND_IN_PCM_CONFIGURATION, 1);
}

Card::~Card()
{
    if (connection_ != nullptr)
        connection_->card = nullptr;
    installedCard = nullptr;
}

void Card::pass(std::size_t frames)
{
    if (connection_ == nullptr || connection_->io.state != SND_PCM_STATE_RUNNING)
        return;
    Connection& connection = *connection_;
    const std::size_t playable = std::min(frames, connection.held.size());
    const auto end = connection.held.begin() + static_cast<std::ptrdiff_t>(playable);
    heard_.insert(heard_.end(), connection.held.begin(), end);
    connection.held.erase(connection.held.begin(), end);
    connection.played += playable;
    if (frames > playable) {
        ++underruns_;
        connection.trouble = Connection::Trouble::underrun;
        snd_pcm_ioplug_set_state(&connection.io, SND_PCM_STATE_XRUN);
    }
    connection.updateDescriptor();
}

void Card::unplug()
{
    if (connection_ == nullptr)
        return;
    connection_->trouble = Connection::Trouble::unplugged;
    snd_pcm_ioplug_set_state(&connection_->io, SND_PCM_STATE_DISCONNECTED);
    connection_->updateDescriptor();
}

void Card::failWithoutSaying()
{
    if (connection_ == nullptr)
        return;
    connection_->trouble = Connection::Trouble::unspoken;
    connection_->updateDescriptor();
}

} // namespace StandInPcm

// The plugin's entry, which ALSA looks up by the type's name.
extern "C" {

SND_PCM_PLUGIN_DEFINE_FUNC(hwd_stand_in)
{
    static_cast<void>(root);
    static_cast<void>(conf);
    return StandInPcm::Card::Connection::open(pcmp, name, stream, mode);
}

SND_PCM_PLUGIN_SYMBOL(hwd_stand_in)

} // extern "C"
