// A program that holds a hardware MIDI port through the ALSA sequencer, as a
// DAW connected to the interface does: a port of its own connected to the
// hardware port, which makes the kernel open the port's raw MIDI device for as
// long as the connection lives.
//
// usage: seq-holder ADDRESS
//
// ADDRESS names the sequencer port as aconnect does (24:0, or
// 'Harlix MIDI Test Interface:0'). Prints "connected" once the connection is
// made, then waits until it is killed; exits 2 when it cannot connect.
#include <alsa/asoundlib.h>

#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seq-holder ADDRESS\n");
        return 2;
    }
    snd_seq_t* sequencer = nullptr;
    if (const int error = snd_seq_open(&sequencer, "default", SND_SEQ_OPEN_OUTPUT, 0); error < 0) {
        std::fprintf(stderr, "seq-holder: cannot open the sequencer: %s\n", snd_strerror(error));
        return 2;
    }
    snd_seq_set_client_name(sequencer, "seq-holder");
    const int port = snd_seq_create_simple_port(sequencer, "holder", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                                SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    snd_seq_addr_t destination {};
    if (port < 0 || snd_seq_parse_address(sequencer, &destination, argv[1]) < 0) {
        std::fprintf(stderr, "seq-holder: no sequencer port %s\n", argv[1]);
        return 2;
    }
    if (const int error = snd_seq_connect_to(sequencer, port, destination.client, destination.port); error < 0) {
        std::fprintf(stderr, "seq-holder: cannot connect to %s: %s\n", argv[1], snd_strerror(error));
        return 2;
    }
    std::printf("connected\n");
    std::fflush(stdout);
    for (;;)
        pause();
}
