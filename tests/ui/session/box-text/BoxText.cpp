// box-text TITLE
//
// Prints, one a line in UTF-8, the text of every static control of each
// visible top-level window titled TITLE: how the session reads a message box
// of the Windows program under wine, whose boxes do not copy their text on
// Ctrl+C. A control of another process is asked with WM_GETTEXT, which the
// system carries across.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string made(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, made.data(), size, nullptr, nullptr);
    made.resize(made.size() - 1);
    return made;
}

BOOL CALLBACK printStatic(HWND control, LPARAM)
{
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    if (lstrcmpiW(kind, L"Static") != 0)
        return TRUE;
    wchar_t text[4096] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(control, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &length);
    if (text[0] != L'\0')
        std::printf("%s\n", utf8(text).c_str());
    return TRUE;
}

BOOL CALLBACK visitWindow(HWND window, LPARAM wanted)
{
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (IsWindowVisible(window) && *reinterpret_cast<const std::wstring*>(wanted) == title)
        EnumChildWindows(window, printStatic, 0);
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: box-text TITLE\n");
        return 2;
    }
    const int size = MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, nullptr, 0);
    std::wstring title(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, title.data(), size);
    title.resize(title.size() - 1);
    EnumWindows(visitWindow, reinterpret_cast<LPARAM>(&title));
    return 0;
}
