#include "Wavedump.h"

#include "transfer/MidiOutput.h"

#include <unistd.h>

int main(int argc, char** argv)
{
    const auto midi = hwd::makeSystemMidiOutput();
    return hwd::wavedumpMain(argc, argv, *midi, ::isatty(STDERR_FILENO) != 0);
}
