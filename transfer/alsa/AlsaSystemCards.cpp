// The machine's sound cards through alsa-lib's control interface, and what
// /dev/snd tells about the devices that this user may not open.
#include "AlsaCards.h"
#include "DeviceFolderWatch.h"

#include <alsa/asoundlib.h>

#include <dirent.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace hwd {

namespace {

const char* orEmpty(const char* text)
{
    return text ? text : "";
}

class SystemCardControl final : public AlsaCardControl {
public:
    explicit SystemCardControl(snd_ctl_t* control) : control_(control) {}
    SystemCardControl(const SystemCardControl&) = delete;
    SystemCardControl& operator=(const SystemCardControl&) = delete;
    ~SystemCardControl() override { snd_ctl_close(control_); }

    std::optional<AlsaCardIdentity> identity() override
    {
        snd_ctl_card_info_t* info;
        snd_ctl_card_info_alloca(&info);
        if (snd_ctl_card_info(control_, info) < 0)
            return std::nullopt;
        return AlsaCardIdentity{orEmpty(snd_ctl_card_info_get_driver(info)), orEmpty(snd_ctl_card_info_get_id(info)),
                                orEmpty(snd_ctl_card_info_get_name(info))};
    }

    int nextRawMidiDevice(int device) override
    {
        return snd_ctl_rawmidi_next_device(control_, &device) == 0 ? device : -1;
    }

    unsigned outputSubdevices(int device) override
    {
        snd_rawmidi_info_t* info;
        snd_rawmidi_info_alloca(&info);
        if (!readOutput(info, device, 0))
            return 0;
        return snd_rawmidi_info_get_subdevices_count(info);
    }

    std::optional<std::string> outputName(int device, unsigned subdevice) override
    {
        snd_rawmidi_info_t* info;
        snd_rawmidi_info_alloca(&info);
        if (!readOutput(info, device, subdevice))
            return std::nullopt;
        const char* name = snd_rawmidi_info_get_subdevice_name(info);
        if (!name || name[0] == '\0')
            name = snd_rawmidi_info_get_name(info);
        return std::string(orEmpty(name));
    }

private:
    bool readOutput(snd_rawmidi_info_t* info, int device, unsigned subdevice)
    {
        snd_rawmidi_info_set_device(info, static_cast<unsigned>(device));
        snd_rawmidi_info_set_stream(info, SND_RAWMIDI_STREAM_OUTPUT);
        snd_rawmidi_info_set_subdevice(info, subdevice);
        return snd_ctl_rawmidi_info(control_, info) == 0;
    }

    snd_ctl_t* control_;
};

// A raw MIDI device node: midiC<card>D<device>.
bool isMidiNode(const char* name)
{
    int card = 0;
    int device = 0;
    char rest = 0;
    return std::sscanf(name, "midiC%dD%d%c", &card, &device, &rest) == 2;
}

// The group that owns the node when its members may read and write it: the
// usual way to give a user the sound devices.
std::string groupThatMayOpen(const struct stat& node)
{
    if ((node.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP) || node.st_gid == 0)
        return {};
    if (const group* entry = ::getgrgid(node.st_gid); entry && entry->gr_name)
        return entry->gr_name;
    return std::to_string(node.st_gid);
}

class SystemCards final : public AlsaCards {
public:
    int nextCard(int card) override { return snd_card_next(&card) == 0 ? card : -1; }

    std::unique_ptr<AlsaCardControl> open(int card) override
    {
        char name[32];
        std::snprintf(name, sizeof name, "hw:%d", card);
        snd_ctl_t* control = nullptr;
        if (snd_ctl_open(&control, name, 0) < 0)
            return nullptr;
        return std::make_unique<SystemCardControl>(control);
    }

    // alsa-lib finds a card only through a control device it can open, so a
    // user outside the devices' group sees no card at all: the nodes in
    // /dev/snd are the only trace of them.
    MidiAccessProblem accessProblem() override
    {
        MidiAccessProblem problem;
        DIR* folder = ::opendir(deviceFolder);
        if (!folder)
            return problem;
        while (const dirent* entry = ::readdir(folder)) {
            if (!isMidiNode(entry->d_name))
                continue;
            const std::string path = std::string(deviceFolder) + "/" + entry->d_name;
            struct stat node {};
            if (::stat(path.c_str(), &node) != 0 || !S_ISCHR(node.st_mode))
                continue;
            if (::access(path.c_str(), R_OK | W_OK) == 0 || (errno != EACCES && errno != EPERM))
                continue;
            if (problem.deniedDevices++ == 0)
                problem.group = groupThatMayOpen(node);
        }
        ::closedir(folder);
        return problem;
    }

    std::optional<std::uint64_t> deviceListVersion() override { return deviceFolderWatch_.version(); }

private:
    static constexpr const char* deviceFolder = "/dev/snd";
    DeviceFolderWatch deviceFolderWatch_{deviceFolder};
};

} // namespace

std::unique_ptr<AlsaCards> makeSystemAlsaCards()
{
    return std::make_unique<SystemCards>();
}

} // namespace hwd
