// wavedump.exe: Windows hands the command line over in UTF-16, and wmain
// takes it so (the program is linked with -municode); the commands get UTF-8.
#include "Utf8Arguments.h"
#include "Utf8Console.h"

#include "cli/Wavedump.h"
#include "transfer/MidiOutput.h"

#include <io.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv)
{
    hwd::Utf8Arguments arguments(argc, argv);
    const hwd::Utf8Console console;
    const auto midi = hwd::makeSystemMidiOutput();
    return hwd::wavedumpMain(arguments.count(), arguments.values(), *midi, _isatty(_fileno(stderr)) != 0);
}
