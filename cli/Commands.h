#pragma once

class MidiOutput;

// One function per subcommand. Each gets the arguments after the subcommand's
// name and answers the process exit code: 0 done, 1 the load, open or send
// failed, 2 a usage error. The MIDI commands work on the caller's output.
int runSamples(int argc, char** argv);
int runInfo(int argc, char** argv);
int runSyx(int argc, char** argv);
int runShow(int argc, char** argv);
int runPorts(int argc, char** argv, MidiOutput& midi);
int runSend(int argc, char** argv, MidiOutput& midi);
int runSendSyx(int argc, char** argv, MidiOutput& midi);
