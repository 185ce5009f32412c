#include "audio/alsa/AlsaPcmStream.h"

#include "audio/TonePreview.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>
#include <memory>
#include <span>

namespace hwd {

namespace {

// Periods of 10 ms, three to the buffer: at 48,000 Hz, 480-frame periods and a
// 1,440-frame buffer, so that no more than 30 ms of the tone is queued ahead of
// an edit and a change is heard well within 50 ms. A device that cannot go so
// low takes its nearest sizes.
constexpr unsigned periodsPerSecond = 100;
constexpr snd_pcm_uframes_t periodsPerBuffer = 3;

void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

struct HardwareParamsFree {
    void operator()(snd_pcm_hw_params_t* params) const noexcept { snd_pcm_hw_params_free(params); }
};
struct SoftwareParamsFree {
    void operator()(snd_pcm_sw_params_t* params) const noexcept { snd_pcm_sw_params_free(params); }
};

// Mono S16 at exactly rate (ALSA resamples when the device cannot), short
// periods, and the device started once the buffer is full. Answers the buffer
// size in frames, or ALSA's negative error code.
snd_pcm_sframes_t configure(snd_pcm_t* pcm, unsigned rate)
{
    snd_pcm_hw_params_t* rawHardware = nullptr;
    if (const int error = snd_pcm_hw_params_malloc(&rawHardware); error < 0)
        return error;
    const std::unique_ptr<snd_pcm_hw_params_t, HardwareParamsFree> hardware(rawHardware);
    snd_pcm_uframes_t period = rate / periodsPerSecond;
    snd_pcm_uframes_t buffer = period * periodsPerBuffer;
    int direction = 0;
    int error = snd_pcm_hw_params_any(pcm, rawHardware);
    if (error >= 0)
        error = snd_pcm_hw_params_set_rate_resample(pcm, rawHardware, 1);
    if (error >= 0)
        error = snd_pcm_hw_params_set_access(pcm, rawHardware, SND_PCM_ACCESS_RW_INTERLEAVED);
    if (error >= 0)
        error = snd_pcm_hw_params_set_format(pcm, rawHardware, SND_PCM_FORMAT_S16);
    if (error >= 0)
        error = snd_pcm_hw_params_set_channels(pcm, rawHardware, 1);
    if (error >= 0)
        error = snd_pcm_hw_params_set_rate(pcm, rawHardware, rate, 0);
    if (error >= 0)
        error = snd_pcm_hw_params_set_period_size_near(pcm, rawHardware, &period, &direction);
    if (error >= 0)
        error = snd_pcm_hw_params_set_buffer_size_near(pcm, rawHardware, &buffer);
    if (error >= 0)
        error = snd_pcm_hw_params(pcm, rawHardware);
    if (error >= 0)
        error = snd_pcm_hw_params_get_period_size(rawHardware, &period, &direction);
    if (error >= 0)
        error = snd_pcm_hw_params_get_buffer_size(rawHardware, &buffer);
    if (error < 0)
        return error;

    snd_pcm_sw_params_t* rawSoftware = nullptr;
    if (error = snd_pcm_sw_params_malloc(&rawSoftware); error < 0)
        return error;
    const std::unique_ptr<snd_pcm_sw_params_t, SoftwareParamsFree> software(rawSoftware);
    error = snd_pcm_sw_params_current(pcm, rawSoftware);
    if (error >= 0)
        error = snd_pcm_sw_params_set_start_threshold(pcm, rawSoftware, buffer);
    if (error >= 0)
        error = snd_pcm_sw_params_set_avail_min(pcm, rawSoftware, period);
    if (error >= 0)
        error = snd_pcm_sw_params(pcm, rawSoftware);
    return error < 0 ? error : static_cast<snd_pcm_sframes_t>(buffer);
}

} // namespace

AlsaPcmStream::~AlsaPcmStream()
{
    close();
}

std::string AlsaPcmStream::open(TonePreview& source, const char* device)
{
    close();
    // The library would print its own lines on stderr; the error codes carry
    // everything the program reports.
    snd_lib_error_set_handler(quietAlsaErrors);
    snd_pcm_t* pcm = nullptr;
    if (const int error = snd_pcm_open(&pcm, device, SND_PCM_STREAM_PLAYBACK, SND_PCM_NONBLOCK); error < 0)
        return snd_strerror(error);
    pcm_ = pcm;
    source_ = &source;

    const snd_pcm_sframes_t bufferFrames = configure(pcm, source.rate());
    if (bufferFrames < 0)
        return fail(bufferFrames);
    frames_.assign(static_cast<std::size_t>(bufferFrames), 0);
    madeFrom_ = madeTo_ = 0;

    if (std::string problem = feed(); !problem.empty())
        return problem;
    return startIfPrepared();
}

void AlsaPcmStream::close() noexcept
{
    if (pcm_ == nullptr)
        return;
    snd_pcm_drop(pcm_);
    snd_pcm_close(pcm_);
    pcm_ = nullptr;
    source_ = nullptr;
    madeFrom_ = madeTo_ = 0;
}

std::vector<pollfd> AlsaPcmStream::pollDescriptors() const
{
    if (pcm_ == nullptr)
        return {};
    const int count = snd_pcm_poll_descriptors_count(pcm_);
    if (count <= 0)
        return {};
    std::vector<pollfd> descriptors(static_cast<std::size_t>(count));
    const int filled = snd_pcm_poll_descriptors(pcm_, descriptors.data(), static_cast<unsigned>(count));
    descriptors.resize(static_cast<std::size_t>(std::max(filled, 0)));
    return descriptors;
}

std::string AlsaPcmStream::service(std::span<pollfd> fired)
{
    if (pcm_ == nullptr)
        return snd_strerror(-EBADFD);
    // Some plugins have to be told what fired before their state is current.
    unsigned short events = 0;
    if (const int error = snd_pcm_poll_descriptors_revents(pcm_, fired.data(), static_cast<unsigned>(fired.size()),
                                                           &events);
        error < 0)
        return fail(error);
    if ((events & POLLNVAL) != 0)
        return fail(-EBADFD);
    if ((events & (POLLOUT | POLLERR)) == 0)
        return {};
    // The device's state says what an error event means; the kernel's cards
    // send it with POLLOUT, a plugin may send it alone.
    if (std::string problem = leaveErrorState(); !problem.empty())
        return problem;
    const std::uint64_t takenBefore = framesTaken_;
    if (std::string problem = feed(); !problem.empty())
        return problem;
    if (framesTaken_ == takenBefore) {
        // An error event from a device that says it is playing, and no room:
        // it would fire again at once, and the event loop would spin on it.
        if ((events & POLLERR) != 0)
            return fail(-EIO);
        return {};
    }
    // After a recovery, the frames made before it may be all there was room
    // for: less than the buffer, which alone would start the device, and
    // maybe less than a period's room left, so that it would never ask again.
    return startIfPrepared();
}

std::optional<long> AlsaPcmStream::queuedFrames() const
{
    if (pcm_ == nullptr)
        return std::nullopt;
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(pcm_, &delay) < 0)
        return std::nullopt;
    return static_cast<long>(delay) + static_cast<long>(madeTo_ - madeFrom_);
}

// Hands the device what is still waiting, else as many new frames as it has
// room for. The frames made are always written before new ones are made, so
// the tone runs on without a gap or a repeat whatever the device takes.
std::string AlsaPcmStream::feed()
{
    for (bool recovered = false;;) {
        if (madeFrom_ == madeTo_) {
            const snd_pcm_sframes_t room = snd_pcm_avail_update(pcm_);
            if (room < 0) {
                if (recovered)
                    return {};
                if (std::string problem = recover(room); !problem.empty())
                    return problem;
                recovered = true;
                continue;
            }
            madeFrom_ = 0;
            madeTo_ = std::min(static_cast<std::size_t>(room), frames_.size());
            source_->fill(std::span(frames_.data(), madeTo_));
        }
        if (madeFrom_ == madeTo_)
            return {};
        const snd_pcm_sframes_t written = snd_pcm_writei(pcm_, frames_.data() + madeFrom_, madeTo_ - madeFrom_);
        if (written == -EAGAIN)
            return {};
        if (written < 0) {
            if (recovered)
                return {};
            if (std::string problem = recover(written); !problem.empty())
                return problem;
            recovered = true;
            continue;
        }
        madeFrom_ += static_cast<std::size_t>(written);
        framesTaken_ += static_cast<std::uint64_t>(written);
        // What the device took is all there was room for: wait for it to ask again.
        if (madeFrom_ == madeTo_ || written == 0)
            return {};
    }
}

// A full buffer starts the device by itself; a partly filled one is started here.
std::string AlsaPcmStream::startIfPrepared()
{
    if (snd_pcm_state(pcm_) == SND_PCM_STATE_PREPARED) {
        if (const int error = snd_pcm_start(pcm_); error < 0)
            return fail(error);
    }
    return {};
}

// An underrun (the program was held up, e.g. by a send) or a suspend is
// recovered from; a device that is gone, or in a state this stream never puts
// it in, ends the stream.
std::string AlsaPcmStream::leaveErrorState()
{
    const snd_pcm_state_t state = snd_pcm_state(pcm_);
    switch (state) {
    case SND_PCM_STATE_PREPARED:
    case SND_PCM_STATE_RUNNING:
        return {};
    case SND_PCM_STATE_XRUN:
        return recover(-EPIPE);
    case SND_PCM_STATE_SUSPENDED:
        return recover(-ESTRPIPE);
    case SND_PCM_STATE_DISCONNECTED:
        return fail(-ENODEV);
    default:
        // A state that cannot be read comes back as the error code.
        return fail(static_cast<int>(state) < 0 ? static_cast<int>(state) : -EBADFD);
    }
}

// An underrun or a suspend: prepare the device again and carry on. Anything
// else stops the stream for good.
std::string AlsaPcmStream::recover(long error)
{
    if (const int result = snd_pcm_recover(pcm_, static_cast<int>(error), 1); result < 0)
        return fail(result);
    return {};
}

std::string AlsaPcmStream::fail(long error)
{
    std::string reason = snd_strerror(static_cast<int>(error));
    close();
    return reason;
}

} // namespace hwd
