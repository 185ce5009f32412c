#pragma once

#include <windows.h>
#include <shellapi.h>

#include <filesystem>
#include <vector>

// A drop as the shell hands it to a window that accepts files: a global memory
// block with a DROPFILES header and the paths as UTF-16, each terminated, the
// list closed by one more terminator, and the point of window's client area
// where it landed. The receiver releases it with DragFinish.
[[nodiscard]] HDROP makeDrop(const std::vector<std::filesystem::path>& files, POINT at = {});

// Delivers a drop of files at a point of window's client area as the shell
// does, through WM_DROPFILES.
void dropFiles(HWND window, const std::vector<std::filesystem::path>& files, POINT at = {});
