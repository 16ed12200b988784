// atomic_file.cpp
// mkstemp for the temporary names; permissions are set as a plain open would (0666 less the umask),
// since mkstemp makes 0600.
#include "prag/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

namespace prag {
namespace {

std::string Reason(const std::string& path, int error) {
    return "cannot write '" + path + "': " + std::strerror(error);
}

mode_t CurrentUmask() {
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

// Creates the temporary file; returns its descriptor (-1 on failure, errno set) and its name.
int MakeTemporary(const std::string& path, const std::string& extension, std::string& name) {
    const std::filesystem::path target(path);
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::string name_pattern = ".";
    name_pattern.append(target.filename().string()).append(".XXXXXX").append(extension);
    const std::string pattern = (folder / name_pattern).string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    const int descriptor = mkstemps(buffer.data(), static_cast<int>(extension.size()));
    if (descriptor >= 0) {
        name = buffer.data();
        fchmod(descriptor, 0666 & ~CurrentUmask());
    }
    return descriptor;
}

bool WriteAll(int descriptor, std::string_view content) {
    while (!content.empty()) {
        const ssize_t written = write(descriptor, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        content.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

std::string CheckWritable(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return "cannot write '" + path + "': it is a folder";
    std::string name;
    const int descriptor = MakeTemporary(path, "", name);
    if (descriptor < 0) return Reason(path, errno);
    close(descriptor);
    unlink(name.c_str());
    return "";
}

std::string WriteFileAtomically(const std::string& path, std::string_view content) {
    std::string name;
    const int descriptor = MakeTemporary(path, "", name);
    if (descriptor < 0) return Reason(path, errno);
    const bool written = WriteAll(descriptor, content) && fsync(descriptor) == 0;
    const int write_error = errno;
    if (close(descriptor) != 0 || !written) {
        unlink(name.c_str());
        return Reason(path, written ? errno : write_error);
    }
    if (std::rename(name.c_str(), path.c_str()) != 0) {
        const int rename_error = errno;
        unlink(name.c_str());
        return Reason(path, rename_error);
    }
    return "";
}

std::string ReserveTemporaryBeside(const std::string& path, std::string& error) {
    const std::filesystem::path target(path);
    std::string name;
    const int descriptor = MakeTemporary(path, target.extension().string(), name);
    if (descriptor < 0) {
        error = Reason(path, errno);
        return "";
    }
    close(descriptor);
    return name;
}

}  // namespace prag
