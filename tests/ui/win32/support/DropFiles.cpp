#include "DropFiles.h"

#include <shlobj.h>

#include <cstring>
#include <string>

HDROP makeDrop(const std::vector<std::filesystem::path>& files, POINT at)
{
    std::wstring list;
    for (const std::filesystem::path& file : files) {
        list += file.native();
        list += L'\0';
    }
    list += L'\0';

    const std::size_t bytes = sizeof(DROPFILES) + list.size() * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GHND, bytes);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->pt = at;
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

void dropFiles(HWND window, const std::vector<std::filesystem::path>& files, POINT at)
{
    SendMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(makeDrop(files, at)), 0);
}
