// data_folder.h
// Where relative data file names are found: the installed share folder beside the executable
// (<prefix>/bin/../share/krondel) when there is one, else the source tree's data folder compiled in.
// Limits: absolute names are used as given; the current folder is never searched for data.
#pragma once

#include <filesystem>
#include <string>

// The folder of the running executable (from /proc/self/exe); empty when it cannot be read.
std::filesystem::path ExecutableFolder();

// The data folder for an executable in `executableFolder`: its ../share/krondel when that is a
// folder, else `builtInFolder`.
std::filesystem::path FindDataFolder(const std::filesystem::path& executableFolder,
                                     const std::filesystem::path& builtInFolder);

// `fileName` as given when absolute, else inside `dataFolder`.
std::string ResolveDataFile(const std::string& fileName, const std::filesystem::path& dataFolder);

// The line that tells a person a data file did not load, e.g.
// "krondel: cannot load font1.fnt (looked in /usr/share/krondel): no such file". Absolute names
// were looked for nowhere else, so they name no folder.
std::string MissingFileNotice(const std::string& program, const std::string& fileName,
                              const std::filesystem::path& dataFolder, const std::string& reason);
