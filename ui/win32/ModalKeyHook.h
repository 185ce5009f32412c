#pragma once

#include <windows.h>

#include <functional>

namespace hwd {

// The keys of a modal dialog, which runs the platform's own loop: a message
// filter hook offers take every message of that loop before the dialog's
// keyboard handling, for as long as this object lives. Message boxes and file
// dialogs opened over the dialog run such loops too; take leaves their
// messages alone. One per thread at a time: the modal dialogs do not nest here.
class ModalKeyHook final {
public:
    // take answers whether it has handled the message, which then goes no further.
    explicit ModalKeyHook(std::function<bool(const MSG&)> take);
    ~ModalKeyHook();
    ModalKeyHook(const ModalKeyHook&) = delete;
    ModalKeyHook& operator=(const ModalKeyHook&) = delete;

private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);

    std::function<bool(const MSG&)> take_;
    HHOOK hook_ = nullptr;
};

} // namespace hwd
