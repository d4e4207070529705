#pragma once
// The program configuration file "TZ7300Config.ini": a sectioned text file of tab-separated value
// lines that carries the program-wide settings between runs.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/modMain.h"
#include "text/Types.h"

namespace tz {

inline constexpr const char* ConfigFileName = "TZ7300Config.ini";

// The scrambling of the password line. EncodeText doubles the length and uses letters from "F"
// upward; DecodeText undoes it and ignores a single character left over at the end.
std::string EncodeText(const std::string& text);
std::string DecodeText(const std::string& text);

// The first of the candidate folders in which a file can be created (a missing folder is created
// first); the last candidate when none is writable, an empty path when there are none. The program
// folder is chosen from {executable folder, per-user configuration folder}.
std::filesystem::path ChooseWritableFolder(const std::vector<std::filesystem::path>& candidates);

// The configuration file in a folder.
std::filesystem::path ConfigurationFilePath(const std::filesystem::path& folder);

// How a reading ended.
enum class ConfigReadResult {
    NoFile,     // no file (or it could not be opened): nothing was read
    Complete,   // read to its end
    Stopped,    // a value that may not stand ended the reading; what was read before stays
};

// Reads the file into the state. Only what the file holds is replaced. Never throws.
ConfigReadResult ReadConfiguration(ProgramState& state, const std::filesystem::path& file);

// The same for the file's text already in memory; Complete or Stopped.
ConfigReadResult ReadConfigurationText(ProgramState& state, std::string_view text);
// Writes the whole file, stamped with the given date and time, with the rights line in English or
// Japanese wording. The file is replaced whole or left as it was; returns false when it could not
// be written, with the reason in *error when given.
bool WriteConfiguration(const ProgramState& state, const std::filesystem::path& file, Date now,
                        bool english, std::string* error = nullptr);

// The text of the file as WriteConfiguration writes it (lines end in CR LF).
std::string ConfigurationText(const ProgramState& state, Date now, bool english);

// The program's own calls: the configuration file of the program folder of Program().
ConfigReadResult ReadConfiguration();
bool WriteConfiguration();

}  // namespace tz
