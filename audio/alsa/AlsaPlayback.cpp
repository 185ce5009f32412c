#include "audio/TonePlayback.h"

#include <alsa/asoundlib.h>

#include <cerrno>
#include <memory>

namespace hwd {

namespace {

// Nothing here reacts to edits, so a tenth of a second queued is only a safety
// margin against the program being held up.
constexpr unsigned queuedMicroseconds = 100000;

void quietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

struct PcmClose {
    void operator()(snd_pcm_t* pcm) const noexcept { snd_pcm_close(pcm); }
};

} // namespace

std::string playOnDefaultOutput(std::span<const std::int16_t> frames, std::uint32_t rate)
{
    // The library would print its own lines on stderr besides the reason returned.
    snd_lib_error_set_handler(quietAlsaErrors);
    snd_pcm_t* rawPcm = nullptr;
    if (const int error = snd_pcm_open(&rawPcm, "default", SND_PCM_STREAM_PLAYBACK, 0); error < 0)
        return snd_strerror(error);
    const std::unique_ptr<snd_pcm_t, PcmClose> pcm(rawPcm);
    if (const int error = snd_pcm_set_params(rawPcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, 1, rate, 1,
                                             queuedMicroseconds);
        error < 0)
        return snd_strerror(error);

    while (!frames.empty()) {
        snd_pcm_sframes_t written = snd_pcm_writei(rawPcm, frames.data(), frames.size());
        if (written == -EAGAIN)
            continue;
        if (written < 0) {
            // The same frames again after an underrun or a suspend; anything else ends it.
            if (const int error = snd_pcm_recover(rawPcm, static_cast<int>(written), 1); error < 0)
                return snd_strerror(error);
            continue;
        }
        frames = frames.subspan(static_cast<std::size_t>(written));
    }
    // A short tone may not fill the buffer far enough to start by itself: draining starts it.
    if (const int error = snd_pcm_drain(rawPcm); error < 0)
        return snd_strerror(error);
    return {};
}

} // namespace hwd
