#include "tolvex/framework/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "tolvex/framework/format.h"

namespace tolvex {

namespace {

[[noreturn]] void CannotCreate(const std::string& fileName, int error) {
    throw EFCreateError(Join("Cannot create file \"", fileName, "\". ", std::strerror(error)));
}

// The file a name stands for, symbolic links followed, also where the last one dangles (the
// file it names is then created); the name itself while nothing exists there.
std::string Target(const std::string& fileName) {
    std::string path = fileName;
    for (int hops = 0; hops < 40; ++hops) {  // the system's own bound on a chain of links
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved)) return resolved;
        struct stat link{};
        if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
        char next[PATH_MAX];
        const ssize_t n = ::readlink(path.c_str(), next, sizeof next);
        if (n <= 0 || n == static_cast<ssize_t>(sizeof next)) return path;
        const std::string pointee(next, static_cast<std::size_t>(n));
        const std::size_t slash = path.rfind('/');
        path = pointee[0] == '/' || slash == std::string::npos ? pointee : path.substr(0, slash + 1) + pointee;
    }
    CannotCreate(fileName, ELOOP);
}

// A new, empty file beside `target`, opened for writing; its name is returned in `temporary`.
int CreateTemporary(const std::string& fileName, const std::string& target, std::string& temporary) {
    for (int attempt = 0;; ++attempt) {
        temporary = Join(target, ".tolvex-", static_cast<long>(::getpid()), "-", static_cast<long>(::gettid()), "-",
                         attempt, ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) return fd;
        if (errno != EEXIST || attempt == 100) CannotCreate(fileName, errno);
    }
}

// Makes the rename itself durable; a folder that cannot be synchronised changes nothing.
void SyncFolderOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)::fsync(fd);
    ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::string& fileName, const std::function<void(TStream&)>& write) {
    const std::string target = Target(fileName);
    struct stat existing{};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) CannotCreate(fileName, EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) {
        const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC);
        if (fd < 0) CannotCreate(fileName, errno);
        TFileStream device(fd, fileName);
        write(device);
        device.Flush();
        return;
    }
    std::string temporary;
    const int fd = CreateTemporary(fileName, target, temporary);
    try {
        TFileStream file(fd, fileName);
        if (exists) (void)::fchmod(fd, existing.st_mode & 07777);
        write(file);
        file.Flush();
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        CannotCreate(fileName, error);
    }
    SyncFolderOf(target);
}

}  // namespace tolvex
