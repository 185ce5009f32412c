#include "ResumePoint.h"

#include <algorithm>
#include <charconv>

namespace hwd {

namespace {

// "97 to 100" for slots that follow one another, as syx and send give them;
// else each of them, as a bank put together by hand holds them.
std::string describe(std::span<const int> slots)
{
    const bool consecutive = std::adjacent_find(slots.begin(), slots.end(), [](int a, int b) { return b != a + 1; })
        == slots.end();
    if (slots.size() == 1)
        return std::to_string(slots.front());
    if (consecutive)
        return std::to_string(slots.front()) + " to " + std::to_string(slots.back());
    std::string list;
    for (const int slot : slots)
        list += (list.empty() ? "" : ", ") + std::to_string(slot);
    return list;
}

} // namespace

ResumePoint resumePoint(std::span<const int> slots, const std::string* from)
{
    if (!from)
        return {};
    int slot = 0;
    const char* end = from->data() + from->size();
    const auto [last, error] = std::from_chars(from->data(), end, slot);
    const auto found = error == std::errc() && last == end ? std::find(slots.begin(), slots.end(), slot) : slots.end();
    if (found == slots.end())
        return {0, "--from must be a slot that this run sends (" + describe(slots) + "), got '" + *from + "'"};
    return {static_cast<std::size_t>(found - slots.begin()), {}};
}

} // namespace hwd
