#pragma once

#include "app/DialogController.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// A controller that writes down each call a window makes to it ("command 1000
// clicked", "key Control L repeat", "menu at 10,20", "drop C:\a.wav"), so a
// front end's routes can be held against a table. It takes every key it is
// given, as the real ones take Enter, Esc, the menu key and the shortcuts.
class RecordingController final : public hwd::DialogController {
public:
    std::vector<std::string> calls;
    hwd::DialogControls* window = nullptr;

    void initialise(hwd::DialogControls& controls) override
    {
        window = &controls;
        calls.emplace_back("initialise");
    }
    void command(int controlId, hwd::ControlEvent event) override
    {
        static const char* const events[] = {"clicked", "double clicked", "other"};
        calls.push_back("command " + std::to_string(controlId) + ' ' + events[static_cast<int>(event)]);
    }
    bool keyPressed(const hwd::KeyPress& key) override
    {
        static const char* const keys[] = {"Enter", "Escape", "ContextMenu", "Control"};
        std::string call = std::string("key ") + keys[static_cast<int>(key.key)];
        if (key.letter != 0)
            call += std::string(" ") + key.letter;
        if (key.repeat)
            call += " repeat";
        calls.push_back(call);
        return true;
    }
    void pictureMenuRequested(std::optional<hwd::Point> at) override
    {
        calls.push_back(at ? "menu at " + std::to_string(at->x) + ',' + std::to_string(at->y) : "menu at the picture");
    }
    void fileDropped(std::filesystem::path file) override { calls.push_back("drop " + file.string()); }
    void runIdle() override { calls.emplace_back("idle"); }

    std::vector<std::string> take() { return std::exchange(calls, {}); }
};
