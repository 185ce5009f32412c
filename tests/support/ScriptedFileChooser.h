#pragma once

#include "app/FileChooser.h"

#include <filesystem>
#include <optional>
#include <vector>

// The file dialogs scripted: each answers what the test put in (nothing:
// Cancel) and remembers what it was asked and offered.
class ScriptedFileChooser final : public hwd::FileChooser {
public:
    std::optional<std::filesystem::path> openAnswer;
    std::optional<std::filesystem::path> saveAnswer;

    int opensAsked = 0;
    std::vector<std::filesystem::path> saveSuggestions;

    std::optional<std::filesystem::path> chooseFileToOpen() override
    {
        ++opensAsked;
        return openAnswer;
    }

    std::optional<std::filesystem::path> chooseSaveTarget(const std::filesystem::path& suggested) override
    {
        saveSuggestions.push_back(suggested);
        return saveAnswer;
    }
};
