#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Reads the next popup menu that this thread opens, from inside the menu's own
// loop, and then leaves it: by typing the access key of the item the test
// picks, or by dismissing it. Found by the menu window's class, so it sees the
// menu as the user does, whoever made it.
class PopupMenuScript final {
public:
    struct Item {
        int commandId = 0;
        std::wstring text;
        bool grayed = false;
        bool checked = false;
    };

    // accessKey: the key typed in the menu (0: the menu is dismissed).
    explicit PopupMenuScript(wchar_t accessKey = 0);
    ~PopupMenuScript();
    PopupMenuScript(const PopupMenuScript&) = delete;
    PopupMenuScript& operator=(const PopupMenuScript&) = delete;

    // Called with the menu window while it shows, before it is left.
    std::function<void(HWND)> whileOpen;

    [[nodiscard]] bool opened() const noexcept { return opened_; }
    [[nodiscard]] const std::vector<Item>& items() const noexcept { return items_; }

private:
    static void CALLBACK poll(HWND, UINT, UINT_PTR timer, DWORD);
    void read(HWND menuWindow);

    wchar_t accessKey_;
    UINT_PTR timer_ = 0;
    int polls_ = 0;
    bool opened_ = false;
    std::vector<Item> items_;
};

// The items of a menu, in order.
[[nodiscard]] std::vector<PopupMenuScript::Item> menuItems(HMENU menu);
