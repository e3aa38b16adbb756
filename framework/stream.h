#pragma once
// Byte streams: the abstract stream, one in memory, and one on a file.
#include <cstdint>
#include <string>
#include <vector>

#include "tolvex/framework/exception.h"
#include "tolvex/export.h"

TOLVEX_BEGIN_API

namespace tolvex {

class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
    explicit EReadError(std::string message) : EStreamError(std::move(message)) {}
    const char* ClassName() const noexcept override { return "EReadError"; }
};

class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
    explicit EWriteError(std::string message) : EStreamError(std::move(message)) {}
    const char* ClassName() const noexcept override { return "EWriteError"; }
};

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
public:
    virtual ~TStream() = default;
    // Reads up to `count` bytes; returns how many were read.
    virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
    // Writes up to `count` bytes; returns how many were written.
    virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
    virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

    std::int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(std::int64_t position) { Seek(position, TSeekOrigin::soBeginning); }
    virtual std::int64_t Size();
    // Reads or writes exactly `count` bytes, or raises EReadError / EWriteError naming the stream.
    void ReadBuffer(void* buffer, std::int64_t count);
    void WriteBuffer(const void* buffer, std::int64_t count);
    // What the stream is, for messages: "stream", "memory stream", file "name".
    virtual std::string Name() const { return "stream"; }
};

class TMemoryStream : public TStream {
public:
    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
    const std::string& Data() const { return data_; }
    void SetData(std::string data) { data_ = std::move(data); position_ = 0; }
    std::string Name() const override { return "memory stream"; }

private:
    std::string data_;
    std::int64_t position_ = 0;
};

enum TFileMode : unsigned {
    fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002,
    fmShareDenyWrite = 0x0020, fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00,
};

// A file opened for the life of the object. Sharing modes are advisory here: a read opened with
// fmShareDenyWrite takes a shared lock, a created file an exclusive one. A failing read or write
// raises EReadError / EWriteError naming the file and the reason.
class TFileStream : public TStream {
public:
    TFileStream(const std::string& fileName, unsigned mode);
    // Takes over an open file descriptor; `fileName` is the name messages give the file.
    TFileStream(int handle, const std::string& fileName) : fileName_(fileName), fd_(handle) {}
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    std::int64_t Read(void* buffer, std::int64_t count) override;
    std::int64_t Write(const void* buffer, std::int64_t count) override;
    std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
    // Only a regular file knows its size: a device or pipe (whose size reads as 0) answers -1, so
    // that readers take it to its end instead of taking it as empty.
    std::int64_t Size() override;
    const std::string& FileName() const { return fileName_; }
    std::string Name() const override { return "file \"" + fileName_ + "\""; }
    // Forces written data to the disk; raises EWriteError naming the file on failure.
    void Flush();

private:
    std::string fileName_;
    int fd_ = -1;
};

}  // namespace tolvex

TOLVEX_END_API
