#include "Commands.h"

#include <cstdio>

// Placeholder: the MIDI subcommands are being written.
int runPorts(int, char**) { std::fprintf(stderr, "wavedump: ports is not built yet\n"); return 2; }
int runSend(int, char**) { std::fprintf(stderr, "wavedump: send is not built yet\n"); return 2; }
int runSendSyx(int, char**) { std::fprintf(stderr, "wavedump: send-syx is not built yet\n"); return 2; }
