#include "preview_recorder.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <cerrno>

PreviewRecorder::~PreviewRecorder()
{
    if (pcm_ != nullptr)
        snd_pcm_close(pcm_);
}

std::string PreviewRecorder::open(const char* device, unsigned rate)
{
    if (const int error = snd_pcm_open(&pcm_, device, SND_PCM_STREAM_CAPTURE, SND_PCM_NONBLOCK); error < 0) {
        pcm_ = nullptr;
        return snd_strerror(error);
    }
    rate_ = rate;
    // Short periods, so that a frame is taken soon after it came out; a long
    // buffer, so that a late read loses nothing.
    snd_pcm_hw_params_t* params = nullptr;
    snd_pcm_hw_params_alloca(&params);
    snd_pcm_uframes_t period = rate / 250;
    snd_pcm_uframes_t buffer = rate / 2;
    int error = snd_pcm_hw_params_any(pcm_, params);
    if (error >= 0)
        error = snd_pcm_hw_params_set_access(pcm_, params, SND_PCM_ACCESS_RW_INTERLEAVED);
    if (error >= 0)
        error = snd_pcm_hw_params_set_format(pcm_, params, SND_PCM_FORMAT_S16);
    if (error >= 0)
        error = snd_pcm_hw_params_set_channels(pcm_, params, 1);
    if (error >= 0)
        error = snd_pcm_hw_params_set_rate(pcm_, params, rate, 0);
    if (error >= 0)
        error = snd_pcm_hw_params_set_period_size_near(pcm_, params, &period, nullptr);
    if (error >= 0)
        error = snd_pcm_hw_params_set_buffer_size_near(pcm_, params, &buffer);
    if (error >= 0)
        error = snd_pcm_hw_params(pcm_, params);
    if (error >= 0)
        error = snd_pcm_start(pcm_);
    if (error < 0)
        return snd_strerror(error);
    frames_.reserve(static_cast<std::size_t>(rate) * 30);
    return {};
}

std::vector<pollfd> PreviewRecorder::pollDescriptors() const
{
    const int count = snd_pcm_poll_descriptors_count(pcm_);
    std::vector<pollfd> descriptors(static_cast<std::size_t>(std::max(count, 0)));
    const int filled = snd_pcm_poll_descriptors(pcm_, descriptors.data(), static_cast<unsigned>(descriptors.size()));
    descriptors.resize(static_cast<std::size_t>(std::max(filled, 0)));
    return descriptors;
}

std::string PreviewRecorder::read(Clock::time_point now)
{
    const std::size_t before = frames_.size();
    // What is there now and no more: a device that never runs dry would
    // otherwise keep this loop going.
    snd_pcm_sframes_t waiting = snd_pcm_avail_update(pcm_);
    if (waiting < 0)
        return snd_strerror(static_cast<int>(waiting));
    std::int16_t chunk[4096];
    while (waiting > 0) {
        const auto wanted = std::min<snd_pcm_uframes_t>(static_cast<snd_pcm_uframes_t>(waiting), std::size(chunk));
        const snd_pcm_sframes_t got = snd_pcm_readi(pcm_, chunk, wanted);
        if (got == -EAGAIN || got == 0)
            break;
        if (got < 0)
            return snd_strerror(static_cast<int>(got));
        frames_.insert(frames_.end(), chunk, chunk + got);
        waiting -= got;
    }
    if (frames_.size() > before)
        reads_.push_back({frames_.size(), now});
    return {};
}

PreviewRecorder::Clock::time_point PreviewRecorder::cameOut(std::size_t index) const
{
    const auto read = std::upper_bound(reads_.begin(), reads_.end(), index,
                                       [](std::size_t wanted, const Read& each) { return wanted < each.endIndex; });
    if (read == reads_.end())
        return Clock::time_point::max();
    const double framesAfter = static_cast<double>(read->endIndex - 1 - index);
    return read->at - std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(framesAfter / rate_));
}
