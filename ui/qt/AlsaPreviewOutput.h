#pragma once

#include "audio/PreviewOutput.h"

#include <QObject>
#include <QSocketNotifier>

#include <memory>
#include <string>

namespace hwd {

// The looped preview on ALSA's default PCM, fed from the Qt event loop: one
// socket notifier per poll descriptor of the stream (reading or writing, as ALSA
// asks), and the stream serviced whenever one fires. No thread of its own. A
// stream that fails while playing stops quietly; playing() then says so.
class AlsaPreviewOutput final : public QObject, public PreviewOutput {
    Q_OBJECT

public:
    // device: the ALSA PCM name; "default" for the program.
    explicit AlsaPreviewOutput(std::string device = "default", QObject* parent = nullptr);
    ~AlsaPreviewOutput() override;

    [[nodiscard]] std::string start(TonePreview& source) override;
    void stop() noexcept override;
    [[nodiscard]] bool playing() const noexcept override;

private:
    struct Playing;
    void serviceAfter(QSocketDescriptor socket, QSocketNotifier::Type type);

    std::string device_;
    std::unique_ptr<Playing> playing_;
};

} // namespace hwd
