#pragma once

#include "audio/PreviewOutput.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

// An audio output that plays nothing: it records each start and stop, keeps
// the source it plays, and refuses to start with the reason it is given.
class ScriptedPreviewOutput final : public hwd::PreviewOutput {
public:
    std::string refusal; // the system's reason; empty: starts
    std::vector<std::string> calls; // "start", "stop", in order
    hwd::TonePreview* source = nullptr; // null while nothing plays
    // Called at each stop that ends a preview, while it is still playing.
    std::function<void()> onStop;

    std::string start(hwd::TonePreview& played) override
    {
        calls.emplace_back("start");
        if (!refusal.empty())
            return refusal;
        source = &played;
        playing_ = true;
        return {};
    }

    void stop() noexcept override
    {
        calls.emplace_back("stop");
        if (playing_ && onStop)
            onStop();
        playing_ = false;
        source = nullptr;
    }

    [[nodiscard]] bool playing() const noexcept override { return playing_; }

    [[nodiscard]] int starts() const { return count("start"); }
    [[nodiscard]] int stops() const { return count("stop"); }

private:
    [[nodiscard]] int count(const char* call) const
    {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    bool playing_ = false;
};
