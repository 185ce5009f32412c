#pragma once

#include <cctype>
#include <concepts>
#include <ostream>
#include <string>
#include <string_view>

// The rows of a parameterised suite that carry a `name` show it, in the test's
// name and in failure reports. A test file takes the printer into the
// namespace of its rows (`using CaseNames::PrintTo;`), where GoogleTest looks
// for it, and names its instantiation with CaseNames::byName.
namespace CaseNames {

template <typename Row>
concept Named = requires(const Row& row) {
    { row.name } -> std::convertible_to<std::string_view>;
};

// A test name keeps letters, digits and underscores; anything else becomes '_'.
[[nodiscard]] inline std::string testName(std::string_view text)
{
    std::string name(text);
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

inline constexpr auto byName = [](const auto& info) { return testName(info.param.name); };

template <Named Row>
void PrintTo(const Row& row, std::ostream* out)
{
    *out << row.name;
}

} // namespace CaseNames
