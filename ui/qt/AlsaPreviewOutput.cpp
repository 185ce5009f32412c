#include "AlsaPreviewOutput.h"

#include "audio/alsa/AlsaPcmStream.h"

#include <QSocketNotifier>

#include <utility>
#include <vector>

namespace hwd {

struct AlsaPreviewOutput::Playing {
    AlsaPcmStream stream;
    // As ALSA asked for them at open; before each service, revents says what fired.
    std::vector<pollfd> descriptors;
    std::vector<std::unique_ptr<QSocketNotifier>> notifiers;
};

AlsaPreviewOutput::AlsaPreviewOutput(std::string device, QObject* parent)
    : QObject(parent), device_(std::move(device))
{
}

AlsaPreviewOutput::~AlsaPreviewOutput()
{
    stop();
}

std::string AlsaPreviewOutput::start(TonePreview& source)
{
    stop();
    auto playing = std::make_unique<Playing>();
    if (std::string problem = playing->stream.open(source, device_.c_str()); !problem.empty())
        return problem;
    playing->descriptors = playing->stream.pollDescriptors();

    const auto watch = [this, &playing](int descriptor, QSocketNotifier::Type type) {
        auto notifier = std::make_unique<QSocketNotifier>(descriptor, type);
        connect(notifier.get(), &QSocketNotifier::activated, this,
                [this](QSocketDescriptor socket, QSocketNotifier::Type fired) { serviceAfter(socket, fired); });
        playing->notifiers.push_back(std::move(notifier));
    };
    for (const pollfd& descriptor : playing->descriptors) {
        if ((descriptor.events & POLLIN) != 0)
            watch(descriptor.fd, QSocketNotifier::Read);
        if ((descriptor.events & POLLOUT) != 0)
            watch(descriptor.fd, QSocketNotifier::Write);
    }
    playing_ = std::move(playing);
    return {};
}

void AlsaPreviewOutput::stop() noexcept
{
    if (!playing_)
        return;
    // No notifier may watch a descriptor that the closing PCM gives back.
    playing_->notifiers.clear();
    playing_->stream.close();
    playing_.reset();
}

bool AlsaPreviewOutput::playing() const noexcept
{
    return playing_ != nullptr;
}

void AlsaPreviewOutput::serviceAfter(QSocketDescriptor socket, QSocketNotifier::Type type)
{
    if (!playing_)
        return;
    const short event = type == QSocketNotifier::Read ? POLLIN : POLLOUT;
    for (pollfd& descriptor : playing_->descriptors)
        descriptor.revents = QSocketDescriptor(descriptor.fd) == socket ? event : 0;
    // The device is gone or broken for good: the preview ends without a word,
    // as if Listen had been switched off.
    if (playing_->stream.service(playing_->descriptors).empty())
        return;
    // Not stopped here: that would delete the notifier whose signal is being
    // delivered. Silenced now, released once the delivery is over.
    for (const std::unique_ptr<QSocketNotifier>& notifier : playing_->notifiers)
        notifier->setEnabled(false);
    QMetaObject::invokeMethod(this, [this] { stop(); }, Qt::QueuedConnection);
}

} // namespace hwd
