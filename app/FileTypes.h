#pragma once

namespace hwd {

// The file dialogs' titles and the names of their file types, alike in Open
// and Save Wave As and in both programs; each platform adds its own patterns.
namespace FileTypes {
inline constexpr const char* openTitle = "Open";
inline constexpr const char* saveTitle = "Save Wave As";
inline constexpr const char* openBankTitle = "Open Bank";
inline constexpr const char* saveBankTitle = "Save Bank As";
inline constexpr const char* waveFolder = "WAV files in a folder";
inline constexpr const char* wavFile = "WAV file";
inline constexpr const char* sysExDump = "SysEx dump";
inline constexpr const char* allFiles = "All files";
} // namespace FileTypes

} // namespace hwd
