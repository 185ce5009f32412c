#include "SendControls.h"

#include "DialogControls.h"
#include "ResourceIds.h"
#include "transfer/AccessNotice.h"
#include "transfer/MidiSender.h"
#include "transfer/WaveDumpMessage.h"

#include <cstdio>
#include <string>
#include <vector>

namespace hwd {

void SendControls::fillWaveNumberList(DialogControls& window)
{
    for (int waveNumber = WaveDumpMessage::firstWaveNumber; waveNumber <= WaveDumpMessage::lastWaveNumber;
         ++waveNumber) {
        char label[8];
        std::snprintf(label, sizeof label, "%03d", waveNumber + 1);
        window.addListItem(IDC_WAVE_NUMBER, label, waveNumber);
    }
    window.selectListItem(IDC_WAVE_NUMBER, 0);
}

void SendControls::fillPortList(DialogControls& window, MidiOutput& midi)
{
    const std::vector<MidiPort> ports = listHardwarePorts(midi);
    for (const MidiPort& port : ports)
        window.addListItem(IDC_PORT, port.name, static_cast<long>(port.deviceId));
    window.selectListItem(IDC_PORT, 0);
    // Ports that the system keeps from this user, or no port at all, would
    // leave the list short or empty without a word otherwise.
    std::string notice = accessNotice(midi.accessProblem());
    if (notice.empty() && ports.empty())
        notice = noPortToolTip;
    window.setToolTip(IDC_PORT, notice);
}

std::uint8_t SendControls::selectedWaveNumber(const DialogControls& window)
{
    return static_cast<std::uint8_t>(window.selectedListData(IDC_WAVE_NUMBER));
}

void SendControls::send(DialogControls& window, MidiSender& sender, const Waveshape& wave)
{
    // With no port selected the datum is -1, the system's default port.
    const auto device = static_cast<int>(window.selectedListData(IDC_PORT));
    const SendOutcome outcome = sender.send(wave, device, selectedWaveNumber(window));
    if (const std::string message = outcome.message(); !message.empty())
        window.showMessage(message, MessageIcon::Error);
}

} // namespace hwd
