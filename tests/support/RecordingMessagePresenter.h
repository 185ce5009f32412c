#pragma once

#include "transfer/SenderControls.h"

#include <ostream>
#include <string>
#include <vector>

// Keeps each message box shown, in order, instead of showing it.
class RecordingMessagePresenter final : public hwd::MessagePresenter {
public:
    struct Box {
        std::string text;
        std::string caption;
        hwd::MessageIcon icon = hwd::MessageIcon::Warning;

        friend bool operator==(const Box&, const Box&) = default;
        // A failed comparison shows the boxes as the user would read them.
        friend void PrintTo(const Box& box, std::ostream* out)
        {
            *out << '"' << box.text << "\" | \"" << box.caption << "\" | "
                 << (box.icon == hwd::MessageIcon::Warning ? "warning" : "error");
        }
    };

    std::vector<Box> boxes;

    void show(const char* text, const char* caption, hwd::MessageIcon icon) override
    {
        boxes.push_back({text, caption, icon});
    }
};
