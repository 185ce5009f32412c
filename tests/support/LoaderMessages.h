#pragma once

// The loader's messages as the user reads them, written out here rather than
// taken from the loader, so that a changed word in the program shows up.
namespace ExpectedMessage {
inline constexpr const char* cannotOpen =
    "Failed to open wave file. Make sure another application does not have it open.";
inline constexpr const char* notWav = "Failed to open wave file. File does not appear to be a WAV file.";
inline constexpr const char* notMonoPcm = "Failed to open wave file. File is not a mono PCM format WAV file.";
inline constexpr const char* not16Bit = "Failed to open wave file. File is not a 16 bit PCM format WAV file.";
inline constexpr const char* noData =
    "Failed to find wave data in file. File does not appear to be a valid WAV file.";
inline constexpr const char* short256 =
    "Failed to load wave data. File does not appear to contain 256 16 bit samples.";
inline constexpr const char* tooMany = "Failed to load wave data. File contains too many 16 bit samples.";
inline constexpr const char* tooFew = "Failed to load wave data. File contains less than 128 16 bit samples.";
inline constexpr const char* truncated = "Failed to load wave data. File appears to be truncated.";
inline constexpr const char* none = "";
} // namespace ExpectedMessage
