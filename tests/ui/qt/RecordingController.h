#pragma once

#include "app/DialogController.h"

#include <QStringList>

// A controller that writes down each call a window makes to it ("command 1000
// clicked", "key Control L repeat", "menu at 10,20", "drop /tmp/a.wav"), so a
// front end's routes can be held against a table. It takes the keys it is
// given, as the real ones take Enter, Esc, the menu key and the shortcuts.
class RecordingController final : public hwd::DialogController {
public:
    QStringList calls;
    hwd::DialogControls* window = nullptr;

    void initialise(hwd::DialogControls& controls) override
    {
        window = &controls;
        calls << QStringLiteral("initialise");
    }
    void command(int controlId, hwd::ControlEvent event) override
    {
        static const char* const events[] = {"clicked", "double clicked", "other"};
        calls << QStringLiteral("command %1 %2").arg(controlId).arg(QLatin1String(events[static_cast<int>(event)]));
    }
    bool keyPressed(const hwd::KeyPress& key) override
    {
        static const char* const keys[] = {"Enter", "Escape", "ContextMenu", "Control"};
        QString call = QStringLiteral("key ") + QLatin1String(keys[static_cast<int>(key.key)]);
        if (key.letter != 0)
            call += QStringLiteral(" ") + QLatin1Char(key.letter);
        if (key.repeat)
            call += QStringLiteral(" repeat");
        calls << call;
        return true;
    }
    void pictureMenuRequested(std::optional<hwd::Point> at) override
    {
        calls << (at ? QStringLiteral("menu at %1,%2").arg(at->x).arg(at->y) : QStringLiteral("menu at the picture"));
    }
    void fileDropped(std::filesystem::path file) override
    {
        calls << QStringLiteral("drop ") + QString::fromStdString(file.string());
    }
    void runIdle() override { calls << QStringLiteral("idle"); }

    QStringList take() { return std::exchange(calls, {}); }
};
