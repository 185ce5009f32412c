#pragma once

#include "app/DialogController.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

// A controller that writes down each call a window makes to it ("command 1000
// clicked", "key Control L repeat", "menu at 10,20", "drop C:\a.wav",
// "picture 1010 clicked at 12,5 of 380x80"), so a front end's routes can be
// held against a table. It takes every key it is given, as the real ones take
// Enter, Esc, the menu key and the shortcuts. Its pictures show drawing; the
// client size each was last drawn at is kept apart from the calls, since
// paints come whenever the platform wants them.
class RecordingController final : public hwd::DialogController {
public:
    std::vector<std::string> calls;
    hwd::DialogControls* window = nullptr;
    hwd::Drawing drawing;
    mutable std::map<int, hwd::Size> drawnAt;

    void initialise(hwd::DialogControls& controls) override
    {
        window = &controls;
        calls.emplace_back("initialise");
    }
    void command(int controlId, hwd::ControlEvent event) override
    {
        static const char* const events[] = {"clicked", "double clicked", "changed", "other"};
        calls.push_back("command " + std::to_string(controlId) + ' ' + events[static_cast<int>(event)]);
    }
    bool keyPressed(const hwd::KeyPress& key) override
    {
        static const char* const keys[] = {"Enter", "Escape", "ContextMenu", "Control", "Left", "Right", "Up", "Down",
                                           "Delete"};
        std::string call = std::string("key ") + keys[static_cast<int>(key.key)];
        if (key.letter != 0)
            call += std::string(" ") + key.letter;
        if (key.repeat)
            call += " repeat";
        if (key.shift)
            call += " shift";
        calls.push_back(call);
        return true;
    }
    void pictureMenuRequested(std::optional<hwd::Point> at) override
    {
        calls.push_back(at ? "menu at " + std::to_string(at->x) + ',' + std::to_string(at->y) : "menu at the picture");
    }
    void fileDropped(std::filesystem::path file) override { calls.push_back("drop " + file.string()); }
    void runIdle() override { calls.emplace_back("idle"); }
    hwd::Drawing drawPicture(int controlId, hwd::Size client) const override
    {
        drawnAt[controlId] = client;
        return drawing;
    }
    void pictureClicked(int controlId, hwd::Point point, hwd::Size client, hwd::ClickKeys held) override
    {
        calls.push_back("picture " + std::to_string(controlId) + " clicked at " + at(point, client)
                        + (held.shift ? " shift" : "") + (held.control ? " ctrl" : ""));
    }
    void pictureDoubleClicked(int controlId, hwd::Point point, hwd::Size client) override
    {
        calls.push_back("picture " + std::to_string(controlId) + " double clicked at " + at(point, client));
    }
    void filesDropped(std::vector<std::filesystem::path> files, int controlId, hwd::Point point,
                      hwd::Size client) override
    {
        std::string call = "drop";
        for (const std::filesystem::path& file : files)
            call += " " + file.string();
        if (controlId != 0)
            call += " on " + std::to_string(controlId) + " at " + at(point, client);
        calls.push_back(call);
    }

    static std::string at(hwd::Point point, hwd::Size client)
    {
        return std::to_string(point.x) + ',' + std::to_string(point.y) + " of " + std::to_string(client.width) + 'x'
            + std::to_string(client.height);
    }

    std::vector<std::string> take() { return std::exchange(calls, {}); }
};
