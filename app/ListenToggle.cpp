#include "ListenToggle.h"

#include "audio/PreviewOutput.h"
#include "transfer/SenderControls.h"

#include <string>

namespace hwd {

ListenToggle::ListenToggle(PreviewOutput& output, MessagePresenter& messages, const Waveshape& wave) noexcept
    : output_(output), messages_(messages), preview_(wave)
{
}

ListenToggle::~ListenToggle()
{
    output_.stop();
}

void ListenToggle::toggle()
{
    if (output_.playing()) {
        output_.stop();
        return;
    }
    preview_.restart();
    if (const std::string reason = output_.start(preview_); !reason.empty())
        messages_.show((audioOpenFailed + reason).c_str(), applicationCaption, MessageIcon::Warning);
}

bool ListenToggle::listening() const noexcept
{
    return output_.playing();
}

} // namespace hwd
