#pragma once

#include "WavBytes.h"

#include "wave/WaveFileLoader.h"

// Loads bytes through a stdio stream over memory (fmemopen), the way the
// fuzzer feeds the loader, without a file on disk.
[[nodiscard]] bool loadFromMemory(hwd::WaveFileLoader& loader, const WavBytes::Bytes& bytes);
