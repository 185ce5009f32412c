#include "ListenToggle.h"

#include "audio/PreviewOutput.h"

namespace hwd {

ListenToggle::ListenToggle(PreviewOutput& output, const Waveshape& wave) noexcept : output_(output), preview_(wave)
{
}

ListenToggle::~ListenToggle()
{
    stop();
}

std::string ListenToggle::toggle()
{
    if (output_.playing()) {
        output_.stop();
        return {};
    }
    preview_.restart();
    if (const std::string reason = output_.start(preview_); !reason.empty())
        return audioOpenFailed + reason;
    return {};
}

void ListenToggle::stop() noexcept
{
    output_.stop();
}

void ListenToggle::follow(const Waveshape& wave) noexcept
{
    preview_.follow(wave);
}

bool ListenToggle::listening() const noexcept
{
    return output_.playing();
}

} // namespace hwd
