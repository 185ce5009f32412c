#include "ScriptedWindow.h"

void ScriptedWindow::runLater()
{
    while (!laterActions.empty()) {
        std::function<void()> action = std::move(laterActions.front());
        laterActions.pop_front();
        action();
    }
}

std::vector<std::string> ScriptedWindow::labels(int listId) const
{
    std::vector<std::string> shown;
    if (const auto list = lists.find(listId); list != lists.end()) {
        for (const Item& item : list->second)
            shown.push_back(item.label);
    }
    return shown;
}

void ScriptedWindow::enableControl(int controlId, bool on)
{
    enabled[controlId] = on;
    // Disabled, a control loses the focus, as on every platform.
    if (!on && focus == controlId)
        focus = -1;
    write("enable " + std::to_string(controlId) + (on ? " on" : " off"));
}

void ScriptedWindow::setControlText(int controlId, std::string_view utf8)
{
    texts[controlId] = std::string(utf8);
    write("text " + std::to_string(controlId) + " " + std::string(utf8));
}

std::string ScriptedWindow::controlText(int controlId) const
{
    const auto text = texts.find(controlId);
    return text != texts.end() ? text->second : std::string();
}

void ScriptedWindow::setControlPath(int controlId, const std::filesystem::path& path)
{
    write("path " + std::to_string(controlId) + " " + path.string());
}

void ScriptedWindow::setToolTip(int controlId, std::string_view utf8)
{
    toolTips[controlId] = std::string(utf8);
}

void ScriptedWindow::repaintControl(int controlId)
{
    write("repaint " + std::to_string(controlId));
}

void ScriptedWindow::addListItem(int listId, std::string_view label, long data)
{
    lists[listId].push_back({std::string(label), data});
}

void ScriptedWindow::selectListItem(int listId, int index)
{
    const std::size_t count = lists[listId].size();
    selected[listId] = index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

long ScriptedWindow::selectedListData(int listId) const
{
    const auto list = lists.find(listId);
    const auto index = selected.find(listId);
    if (list == lists.end() || index == selected.end() || index->second < 0)
        return -1;
    return list->second[static_cast<std::size_t>(index->second)].data;
}

void ScriptedWindow::focusControl(int controlId)
{
    focus = controlId;
    write("focus " + std::to_string(controlId));
}

void ScriptedWindow::showMessage(std::string_view text, hwd::MessageIcon icon)
{
    write(std::string("box ") + (icon == hwd::MessageIcon::Warning ? "warning: " : "error: ") + std::string(text));
}

std::optional<std::filesystem::path> ScriptedWindow::chooseFileToOpen(OpenTypes types)
{
    write(types == OpenTypes::waveFiles ? "choose file to open" : "choose file or dump to open");
    return openAnswer;
}

std::optional<std::filesystem::path> ScriptedWindow::chooseSaveTarget(const std::filesystem::path& suggested,
                                                                      SaveTypes types)
{
    write(std::string(types == SaveTypes::wave ? "choose where to save" : "choose where to save the bank")
          + ", offering " + suggested.filename().string());
    return saveAnswer;
}

int ScriptedWindow::popUpMenu(std::span<const hwd::MenuItem> items, int nearControl,
                              std::optional<hwd::Point> screenPoint)
{
    menusShown.emplace_back(items.begin(), items.end());
    write("menu near " + std::to_string(nearControl)
          + (screenPoint ? " at " + std::to_string(screenPoint->x) + "," + std::to_string(screenPoint->y) : ""));
    return menuPick;
}

int ScriptedWindow::runModal(int templateId, hwd::DialogController* controller)
{
    write("modal " + std::to_string(templateId));
    return modal ? modal(templateId, controller) : 0;
}

void ScriptedWindow::openModeless(int templateId, hwd::DialogController& controller)
{
    write("modeless " + std::to_string(templateId));
    if (modeless)
        modeless(templateId, controller);
}

void ScriptedWindow::later(std::function<void()> action)
{
    laterActions.push_back(std::move(action));
}

void ScriptedWindow::endDialog(int code)
{
    write("end " + std::to_string(code));
}
