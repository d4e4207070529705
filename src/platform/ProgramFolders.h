#pragma once
// Where the program keeps its files. The program folder holds the configuration file and the
// check data file; the log folder takes the communication log, the settings report, dumps and
// the logger image. Both front ends use these rules.
#include <filesystem>

namespace tz {

// True when a file can be created in the folder (tried, not guessed from permission bits).
bool IsWritableFolder(const std::filesystem::path& folder);

// The per-user folders used when the usual ones cannot be written (not created here).
std::filesystem::path UserConfigurationFolder();  // e.g. ~/.config/tz7300
std::filesystem::path UserDataFolder();           // e.g. ~/.local/share/tz7300

// The program folder: the folder that already holds a configuration file, the executable's
// folder first; without one, the executable's folder when it is writable, otherwise the
// per-user configuration folder. Needs a QCoreApplication.
std::filesystem::path ChooseProgramFolder();

// The log folder: the working directory at start when it is writable, otherwise the per-user
// data folder.
std::filesystem::path ChooseLogFolder();

// The same rules on given folders (beside: the executable's folder).
std::filesystem::path ChooseProgramFolder(const std::filesystem::path& beside,
                                          const std::filesystem::path& user);
std::filesystem::path ChooseLogFolder(const std::filesystem::path& workingFolder,
                                      const std::filesystem::path& user);

// Creates the folder (and its parents) when missing; false when it still does not exist.
bool EnsureFolder(const std::filesystem::path& folder);

}  // namespace tz
