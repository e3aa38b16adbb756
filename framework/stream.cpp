#include "tolvex/framework/stream.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <exception>

#include "tolvex/framework/format.h"

namespace tolvex {

std::int64_t TStream::Size() {
    const std::int64_t here = Position();
    const std::int64_t size = Seek(0, TSeekOrigin::soEnd);
    SetPosition(here);
    return size;
}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
    if (count <= 0) return;
    const std::int64_t done = Read(buffer, count);
    if (done != count)
        throw EReadError(Join("Stream read error: ", done, " of ", count, " bytes read from ", Name(), "."));
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
    if (count <= 0) return;
    const std::int64_t done = Write(buffer, count);
    if (done != count)
        throw EWriteError(Join("Stream write error: ", done, " of ", count, " bytes written to ", Name(), "."));
}

// ---- TMemoryStream --------------------------------------------------------------------------

// Bounded by the bytes held, also when a derived stream reports another size.
std::int64_t TMemoryStream::Read(void* buffer, std::int64_t count) {
    const auto held = static_cast<std::int64_t>(data_.size());
    const std::int64_t n = std::clamp<std::int64_t>(held - position_, 0, std::max<std::int64_t>(count, 0));
    if (n == 0) return 0;
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
    if (count <= 0) return 0;
    const auto end = static_cast<std::size_t>(position_ + count);
    // A size the machine cannot hold is a failed write, not the end of the process.
    try {
        if (end > data_.size()) data_.resize(end);
    } catch (const std::exception&) {
        return 0;
    }
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ += count;
    return count;
}

std::int64_t TMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const std::int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? position_ : Size();
    position_ = std::max<std::int64_t>(base + offset, 0);
    return position_;
}

// ---- TFileStream ----------------------------------------------------------------------------

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
    const bool create = (mode & fmCreate) == fmCreate;
    int flags = O_CLOEXEC;
    if (create)
        flags |= O_RDWR | O_CREAT | O_TRUNC;
    else
        flags |= (mode & 3) == fmOpenWrite ? O_WRONLY : (mode & 3) == fmOpenReadWrite ? O_RDWR : O_RDONLY;
    fd_ = ::open(fileName.c_str(), flags, 0666);
    if (fd_ < 0) {
        const std::string reason = std::strerror(errno);
        if (create) throw EFCreateError("Cannot create file \"" + fileName + "\". " + reason);
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + reason);
    }
    struct stat info{};
    if (!create && ::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
        // A folder opens for reading, but it holds no bytes to read.
        ::close(fd_);
        fd_ = -1;
        throw EFOpenError("Cannot open file \"" + fileName + "\". " + std::strerror(EISDIR));
    }
    if (!create && (mode & fmShareDenyWrite)) (void)::flock(fd_, LOCK_SH | LOCK_NB);
}

TFileStream::~TFileStream() {
    if (fd_ >= 0) ::close(fd_);
}

// Ends early only at the end of the file; an error of the system is raised.
std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd_, static_cast<char*>(buffer) + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EReadError("Cannot read file \"" + fileName_ + "\". " + std::strerror(errno));
        if (n == 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd_, static_cast<const char*>(buffer) + done, static_cast<std::size_t>(count - done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw EWriteError("Cannot write file \"" + fileName_ + "\". " + std::strerror(errno));
        if (n == 0) break;
        done += n;
    }
    return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
    const int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
    const off_t r = ::lseek(fd_, static_cast<off_t>(offset), whence);
    return r < 0 ? -1 : static_cast<std::int64_t>(r);
}

std::int64_t TFileStream::Size() {
    struct stat info{};
    if (::fstat(fd_, &info) == 0 && !S_ISREG(info.st_mode)) return -1;
    return TStream::Size();
}

// Devices and pipes have nothing to force to a disk; their refusal (EINVAL) is no failure.
void TFileStream::Flush() {
    if (::fsync(fd_) != 0 && errno != EINVAL && errno != EROFS)
        throw EWriteError("Cannot write file \"" + fileName_ + "\". " + std::strerror(errno));
}

}  // namespace tolvex
