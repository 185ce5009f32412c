#include "CycleText.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace hwd {

namespace {

bool isWhole(double length) noexcept
{
    return length == std::floor(length);
}

std::string formatted(const char* format, double value)
{
    char text[64];
    const int length = std::snprintf(text, sizeof text, format, value);
    return length > 0 ? std::string(text, static_cast<std::size_t>(length)) : std::string();
}

const char* originWords(CycleOrigin origin) noexcept
{
    switch (origin) {
    case CycleOrigin::smplLoop: return "from the smpl loop";
    case CycleOrigin::found: return "found";
    case CycleOrigin::given: return "set by hand";
    }
    return "";
}

} // namespace

double shownLength(double length) noexcept
{
    return std::round(length * 100.0) / 100.0;
}

std::string lengthText(double length)
{
    const double shown = shownLength(length);
    return formatted(isWhole(shown) ? "%.0f" : "%.2f", shown);
}

std::optional<std::uint64_t> parseStartFrame(std::string_view text)
{
    std::uint64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<double> parseCycleLength(std::string_view text)
{
    // Digits, then at most one decimal point or comma and more digits: no
    // sign, exponent or spaces, which from_chars alone would let through or
    // the user would not mean.
    std::string plain;
    bool separatorSeen = false;
    bool digitSeen = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            plain += c;
            digitSeen = true;
        } else if ((c == '.' || c == ',') && !separatorSeen) {
            plain += '.';
            separatorSeen = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digitSeen)
        return std::nullopt;
    double value = 0;
    const char* end = plain.data() + plain.size();
    const auto [stop, error] = std::from_chars(plain.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::string describeCycle(const CycleChoice& choice, std::uint32_t rate)
{
    const double hz = choice.cycle.length > 0 ? rate / choice.cycle.length : 0.0;
    return "start " + std::to_string(choice.cycle.start) + ", length " + lengthText(choice.cycle.length) + " frames ("
         + formatted("%.2f", hz) + " Hz at " + std::to_string(rate) + " Hz), " + originWords(choice.origin);
}

std::string cycleSuffix(const Cycle& cycle)
{
    return ", cycle at " + std::to_string(cycle.start) + ", " + lengthText(cycle.length) + " frames";
}

} // namespace hwd
