#include "Commands.h"

#include <cstdio>

// Placeholder: the wave subcommands are being written.
int runSamples(int, char**) { std::fprintf(stderr, "wavedump: samples is not built yet\n"); return 2; }
int runInfo(int, char**) { std::fprintf(stderr, "wavedump: info is not built yet\n"); return 2; }
int runSyx(int, char**) { std::fprintf(stderr, "wavedump: syx is not built yet\n"); return 2; }
int runShow(int, char**) { std::fprintf(stderr, "wavedump: show is not built yet\n"); return 2; }
