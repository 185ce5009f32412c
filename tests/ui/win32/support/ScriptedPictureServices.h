#pragma once

#include "app/FileChooser.h"
#include "audio/PreviewOutput.h"

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The file dialogs scripted: each answers what the test put in (nothing:
// Cancel) and remembers what it was asked and offered.
class ScriptedFileChooser final : public hwd::FileChooser {
public:
    std::optional<std::filesystem::path> openAnswer;
    std::optional<std::filesystem::path> saveAnswer;

    int opensAsked = 0;
    std::vector<std::filesystem::path> saveSuggestions;

    std::optional<std::filesystem::path> chooseFileToOpen() override;
    std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested) override;
};

// An audio output that plays nothing: it records each start and stop, keeps
// the source it plays, and refuses to start with the reason it is given.
class ScriptedPreviewOutput final : public hwd::PreviewOutput {
public:
    std::string refusal; // empty: starts
    std::vector<std::string> calls; // "start", "stop"
    hwd::TonePreview* source = nullptr;
    // Whether this window still existed at each stop while playing.
    HWND watchedWindow = nullptr;
    std::vector<bool> windowAliveAtStop;

    std::string start(hwd::TonePreview& played) override;
    void stop() noexcept override;
    [[nodiscard]] bool playing() const noexcept override { return playing_; }

private:
    bool playing_ = false;
};
