#include "platform/ProgramFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <system_error>

#include "app/ConfigFile.h"

namespace tz {

namespace {

std::filesystem::path ToPath(const QString& text) { return std::filesystem::path(text.toStdString()); }

bool HasConfiguration(const std::filesystem::path& folder) {
    std::error_code ignored;
    return !folder.empty() && std::filesystem::exists(ConfigurationFilePath(folder), ignored);
}

std::filesystem::path UserFolder(QStandardPaths::StandardLocation location) {
    return ToPath(QStandardPaths::writableLocation(location)) / "tz7300";
}

}  // namespace

bool IsWritableFolder(const std::filesystem::path& folder) {
    if (folder.empty()) return false;
    QTemporaryFile probe(QDir(QString::fromStdString(folder.string())).filePath("tz7300-probe-XXXXXX"));
    return probe.open();  // the probe file goes with the object
}

bool EnsureFolder(const std::filesystem::path& folder) {
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    return std::filesystem::is_directory(folder, ignored);
}

std::filesystem::path UserConfigurationFolder() {
    return UserFolder(QStandardPaths::GenericConfigLocation);
}

std::filesystem::path UserDataFolder() { return UserFolder(QStandardPaths::GenericDataLocation); }

std::filesystem::path ChooseProgramFolder(const std::filesystem::path& beside,
                                          const std::filesystem::path& user) {
    if (HasConfiguration(beside)) return beside;
    if (HasConfiguration(user)) return user;
    return IsWritableFolder(beside) ? beside : user;
}

std::filesystem::path ChooseLogFolder(const std::filesystem::path& workingFolder,
                                      const std::filesystem::path& user) {
    return IsWritableFolder(workingFolder) ? workingFolder : user;
}

std::filesystem::path ChooseProgramFolder() {
    return ChooseProgramFolder(ToPath(QCoreApplication::applicationDirPath()),
                               UserConfigurationFolder());
}

std::filesystem::path ChooseLogFolder() {
    std::error_code failed;
    const std::filesystem::path working = std::filesystem::current_path(failed);
    return ChooseLogFolder(failed ? std::filesystem::path() : working, UserDataFolder());
}

}  // namespace tz
