#include "PathArgument.h"

#include <system_error>

namespace hwd {

// On Linux a path holds bytes and converts from and to UTF-8 one to one, with
// nothing checked; on Windows it holds UTF-16 and the conversion throws on a
// broken sequence.

std::filesystem::path pathOfArgument(std::string_view argument)
{
    try {
        return std::filesystem::path(std::u8string(argument.begin(), argument.end()));
    } catch (const std::system_error&) {
        return {};
    }
}

std::string argumentOfPath(const std::filesystem::path& path)
{
    try {
        const std::u8string text = path.u8string();
        return std::string(text.begin(), text.end());
    } catch (const std::system_error&) {
        return {};
    }
}

} // namespace hwd
