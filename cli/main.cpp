#include "Wavedump.h"

#include "transfer/MidiOutput.h"

int main(int argc, char** argv)
{
    const auto midi = hwd::makeSystemMidiOutput();
    return hwd::wavedumpMain(argc, argv, *midi);
}
