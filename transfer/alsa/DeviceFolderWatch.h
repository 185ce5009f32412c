#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace hwd {

// Changes to a folder's entries: a node made or removed, moved in or out, or
// its attributes changed. For /dev/snd, the only place where alsa-lib finds
// cards, that is every card or device of one that comes or goes (also a device
// added to a card that is there already, as snd-usb-audio adds each
// interface's devices) and every change of who may open one. The kernel queues
// each change, so an ask is one read that finds nothing while nothing changed.
class DeviceFolderWatch final {
public:
    explicit DeviceFolderWatch(std::string folder) : folder_(std::move(folder)) {}
    DeviceFolderWatch(const DeviceFolderWatch&) = delete;
    DeviceFolderWatch& operator=(const DeviceFolderWatch&) = delete;
    ~DeviceFolderWatch() { stop(); }

    // A number that stays the same from one ask to the next unless the folder
    // changed in between; the first ask starts the watch. Empty while the
    // folder cannot be watched (it is not there, or the user's watches ran out).
    [[nodiscard]] std::optional<std::uint64_t> version();

private:
    bool start();
    void stop() noexcept;

    std::string folder_;
    int descriptor_ = -1;
    std::uint64_t version_ = 0;
};

} // namespace hwd
