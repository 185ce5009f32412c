// The scripted MIDI output comes here.
