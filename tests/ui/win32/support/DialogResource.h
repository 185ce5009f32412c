#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A dialog template as the resource compiler wrote it into the module: the
// extended form (DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items), read field
// by field.
struct DialogResource {
    struct Item {
        std::uint32_t style = 0;
        std::uint32_t exStyle = 0;
        int x = 0, y = 0, width = 0, height = 0;
        int id = 0;
        std::wstring className; // in capitals; a predefined class ordinal is given its name
        std::wstring text;
        std::optional<int> textOrdinal; // a resource id as the text (an icon)
    };

    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    int x = 0, y = 0, width = 0, height = 0;
    std::wstring caption;
    int pointSize = 0;
    int weight = 0;
    bool italic = false;
    std::wstring typeface;
    std::vector<Item> items;

    // The template of this id in the running program's own module; nothing
    // when there is none or it is not in the extended form.
    static std::optional<DialogResource> load(int templateId);
};
