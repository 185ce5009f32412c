#include "DialogResource.h"

#include <cstring>

namespace {

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <typename T>
    T read()
    {
        T value{};
        if (offset_ + sizeof value <= size_)
            std::memcpy(&value, data_ + offset_, sizeof value);
        offset_ += sizeof value;
        return value;
    }

    std::wstring string()
    {
        std::wstring text;
        for (wchar_t c = read<wchar_t>(); c != L'\0' && offset_ <= size_; c = read<wchar_t>())
            text += c;
        return text;
    }

    // A name or an ordinal: 0 for none, 0xFFFF followed by the ordinal, or a string.
    void nameOrOrdinal(std::wstring& name, std::optional<int>& ordinal)
    {
        const auto first = read<std::uint16_t>();
        if (first == 0)
            return;
        if (first == 0xFFFF) {
            ordinal = read<std::uint16_t>();
            return;
        }
        offset_ -= sizeof first;
        name = string();
    }

    void alignTo4() { offset_ = (offset_ + 3) & ~std::size_t{3}; }
    void skip(std::size_t bytes) { offset_ += bytes; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

std::wstring predefinedClass(int ordinal)
{
    switch (ordinal) {
    case 0x80:
        return L"BUTTON";
    case 0x81:
        return L"EDIT";
    case 0x82:
        return L"STATIC";
    case 0x83:
        return L"LISTBOX";
    case 0x84:
        return L"SCROLLBAR";
    case 0x85:
        return L"COMBOBOX";
    default:
        return L"#" + std::to_wstring(ordinal);
    }
}

} // namespace

std::optional<DialogResource> DialogResource::load(int templateId)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));
    if (found == nullptr)
        return std::nullopt;
    const auto* data = static_cast<const std::uint8_t*>(LockResource(LoadResource(module, found)));
    Reader reader(data, SizeofResource(module, found));

    const auto version = reader.read<std::uint16_t>();
    const auto signature = reader.read<std::uint16_t>();
    if (version != 1 || signature != 0xFFFF)
        return std::nullopt;

    DialogResource dialog;
    reader.read<std::uint32_t>(); // help id
    dialog.exStyle = reader.read<std::uint32_t>();
    dialog.style = reader.read<std::uint32_t>();
    const auto itemCount = reader.read<std::uint16_t>();
    dialog.x = reader.read<std::int16_t>();
    dialog.y = reader.read<std::int16_t>();
    dialog.width = reader.read<std::int16_t>();
    dialog.height = reader.read<std::int16_t>();
    std::wstring ignoredName;
    std::optional<int> ignoredOrdinal;
    reader.nameOrOrdinal(ignoredName, ignoredOrdinal); // menu
    reader.nameOrOrdinal(ignoredName, ignoredOrdinal); // window class
    dialog.caption = reader.string();
    if (dialog.style & (DS_SETFONT | DS_SHELLFONT)) {
        dialog.pointSize = reader.read<std::uint16_t>();
        dialog.weight = reader.read<std::uint16_t>();
        dialog.italic = reader.read<std::uint8_t>() != 0;
        reader.read<std::uint8_t>(); // character set
        dialog.typeface = reader.string();
    }

    for (int index = 0; index < itemCount; ++index) {
        reader.alignTo4();
        Item item;
        reader.read<std::uint32_t>(); // help id
        item.exStyle = reader.read<std::uint32_t>();
        item.style = reader.read<std::uint32_t>();
        item.x = reader.read<std::int16_t>();
        item.y = reader.read<std::int16_t>();
        item.width = reader.read<std::int16_t>();
        item.height = reader.read<std::int16_t>();
        item.id = static_cast<std::int32_t>(reader.read<std::uint32_t>());
        std::optional<int> classOrdinal;
        reader.nameOrOrdinal(item.className, classOrdinal);
        if (classOrdinal)
            item.className = predefinedClass(*classOrdinal);
        CharUpperW(item.className.data());
        reader.nameOrOrdinal(item.text, item.textOrdinal);
        reader.skip(reader.read<std::uint16_t>()); // creation data
        dialog.items.push_back(std::move(item));
    }
    return dialog;
}
