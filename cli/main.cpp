#include "Wavedump.h"

#include "transfer/MidiOutput.h"

int main(int argc, char** argv)
{
    const auto midi = makeSystemMidiOutput();
    return wavedumpMain(argc, argv, *midi);
}
