#include "ScriptedPictureServices.h"

std::optional<std::filesystem::path> ScriptedFileChooser::chooseFileToOpen()
{
    ++opensAsked;
    return openAnswer;
}

std::optional<std::filesystem::path> ScriptedFileChooser::chooseSaveTarget(const std::filesystem::path& suggested)
{
    saveSuggestions.push_back(suggested);
    return saveAnswer;
}

std::string ScriptedPreviewOutput::start(hwd::TonePreview& played)
{
    calls.emplace_back("start");
    if (!refusal.empty())
        return refusal;
    source = &played;
    playing_ = true;
    return {};
}

void ScriptedPreviewOutput::stop() noexcept
{
    calls.emplace_back("stop");
    if (playing_ && watchedWindow != nullptr)
        windowAliveAtStop.push_back(IsWindow(watchedWindow) != FALSE);
    playing_ = false;
    source = nullptr;
}
