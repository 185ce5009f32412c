#include "FileDrop.h"

#include "PictureView.h"
#include "app/DialogController.h"
#include "app/DialogTemplates.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace hwd {

namespace {

std::vector<std::filesystem::path> droppedFiles(HDROP drop)
{
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::vector<std::filesystem::path> files;
    files.reserve(count);
    for (UINT index = 0; index < count; ++index) {
        // However long its path.
        const UINT length = DragQueryFileW(drop, index, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        path.resize(DragQueryFileW(drop, index, path.data(), length + 1));
        files.emplace_back(std::move(path));
    }
    return files;
}

struct Landing {
    int controlId = 0;
    Point point;
    Size client;
};

// The Picture under a point of the dialog's client area, its edge included
// (the point then moves to its nearest client pixel); control 0 elsewhere.
Landing landingAt(HWND dialog, const DialogTemplate& dialogTemplate, POINT at)
{
    for (const ControlTemplate& control : dialogTemplate.controls) {
        const HWND picture = control.kind == ControlKind::Picture ? GetDlgItem(dialog, control.id) : nullptr;
        if (picture == nullptr)
            continue;
        RECT frame{};
        GetWindowRect(picture, &frame);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
        if (!PtInRect(&frame, at))
            continue;
        POINT inside = at;
        MapWindowPoints(dialog, picture, &inside, 1);
        const Size client = PictureView::clientSize(picture);
        const Point point{std::clamp(static_cast<int>(inside.x), 0, std::max(client.width - 1, 0)),
                          std::clamp(static_cast<int>(inside.y), 0, std::max(client.height - 1, 0))};
        return {control.id, point, client};
    }
    return {};
}

} // namespace

void routeFileDrop(HDROP drop, HWND dialog, const DialogTemplate& dialogTemplate, DialogController& controller)
{
    if (!IsWindowEnabled(dialog)) {
        DragFinish(drop);
        return;
    }
    std::vector<std::filesystem::path> files = droppedFiles(drop);
    POINT at{};
    // False: dropped on the frame or the caption, which is no control's.
    const bool inClientArea = DragQueryPoint(drop, &at) != FALSE;
    DragFinish(drop);
    const Landing landing = inClientArea ? landingAt(dialog, dialogTemplate, at) : Landing{};
    controller.filesDropped(std::move(files), landing.controlId, landing.point, landing.client);
}

} // namespace hwd
