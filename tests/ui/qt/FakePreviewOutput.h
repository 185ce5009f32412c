#pragma once

// An audio output that plays nothing: it counts starts and stops, keeps the
// source it was given, and refuses to start with a reason when told to.

#include "audio/PreviewOutput.h"

#include <functional>
#include <string>

class FakePreviewOutput final : public hwd::PreviewOutput {
public:
    std::string refusal; // the system's reason; empty: starts
    int starts = 0;
    int stops = 0;
    hwd::TonePreview* source = nullptr;
    // Called at each stop, while it is still playing.
    std::function<void()> onStop;

    std::string start(hwd::TonePreview& played) override
    {
        ++starts;
        if (!refusal.empty())
            return refusal;
        source = &played;
        playing_ = true;
        return {};
    }

    void stop() noexcept override
    {
        ++stops;
        if (playing_ && onStop)
            onStop();
        playing_ = false;
        source = nullptr;
    }

    [[nodiscard]] bool playing() const noexcept override { return playing_; }

private:
    bool playing_ = false;
};
