// data_folder.cpp
// Finding the data folder from the executable's own location, so the program finds its files from
// whatever folder it is started.
#include "engine2d/data_folder.h"

#include <system_error>

namespace {

constexpr const char* kInstalledDataFolder = "../share/krondel"; // relative to <prefix>/bin

} // namespace

std::filesystem::path ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return executable.parent_path();
}

std::filesystem::path FindDataFolder(const std::filesystem::path& executableFolder,
                                     const std::filesystem::path& builtInFolder) {
    if (!executableFolder.empty()) {
        const std::filesystem::path installed = executableFolder / kInstalledDataFolder;
        std::error_code error;
        if (std::filesystem::is_directory(installed, error)) return installed.lexically_normal();
    }
    return builtInFolder;
}

std::string ResolveDataFile(const std::string& fileName, const std::filesystem::path& dataFolder) {
    const std::filesystem::path name(fileName);
    if (name.is_absolute() || dataFolder.empty()) return fileName;
    return (dataFolder / name).string();
}

std::string MissingFileNotice(const std::string& program, const std::string& fileName,
                              const std::filesystem::path& dataFolder, const std::string& reason) {
    std::string notice = program + ": cannot load " + fileName;
    if (!std::filesystem::path(fileName).is_absolute() && !dataFolder.empty())
        notice += " (looked in " + dataFolder.string() + ")";
    if (!reason.empty()) notice += ": " + reason;
    return notice;
}
