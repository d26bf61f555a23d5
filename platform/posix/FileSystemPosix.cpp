#include "platform/posix/FileSystemPosix.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <new>

namespace belegbote {

namespace {

// A file changed more recently than this may still be being written.
constexpr std::int64_t SettleNanoseconds = 2'000'000'000;

// Only a regular file counts: a folder or a device of that name cannot be
// read as a configuration. O_NONBLOCK keeps a FIFO from blocking the open.
int OpenRegular(const std::string& name, int access) {
    const int fd = ::open(name.c_str(), access | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return -1;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Read and write first, as the Windows program does; a read-only file is
// read by the second attempt. Nothing is ever written.
int OpenForReading(const std::string& name) {
    const int fd = OpenRegular(name, O_RDWR);
    return fd >= 0 ? fd : OpenRegular(name, O_RDONLY);
}

// Reads until `size` bytes came or the file ended; -1 on an error.
ssize_t ReadFully(int fd, char* buffer, std::size_t size) {
    std::size_t total = 0;
    while (total < size) {
        const ssize_t got = ::read(fd, buffer + total, size - total);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -1;
        }
        if (got == 0) {
            break;
        }
        total += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(total);
}

// The remaining size after a UTF-8 byte-order mark, which is stepped over.
off_t SkipByteOrderMark(int fd, off_t size, ConfigEncoding& encoding) {
    encoding = ConfigEncoding::Ansi;
    if (size < 3) {
        return size;
    }
    unsigned char head[3] = {};
    if (ReadFully(fd, reinterpret_cast<char*>(head), 3) == 3 && head[0] == 0xEF &&
        head[1] == 0xBB && head[2] == 0xBF) {
        encoding = ConfigEncoding::Utf8;
        return size - 3;
    }
    ::lseek(fd, 0, SEEK_SET);
    return size;
}

// Asks for large pages for a big buffer before it is first touched: filling
// it page by page costs one fault per 4 KiB, which for a file of many
// megabytes takes longer than reading and parsing it. Where the system has no
// large pages this changes nothing.
void AdviseLargePages(char* buffer, std::size_t size) {
    constexpr std::uintptr_t LargePage = 2u << 20;
    const auto start =
        (reinterpret_cast<std::uintptr_t>(buffer) + LargePage - 1) & ~(LargePage - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(buffer) + size) & ~(LargePage - 1);
    if (end > start) {
        ::madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
}

// A failed read leaves the content empty.
std::string ReadContent(int fd, off_t size) {
    std::string content;
    if (size <= 0) {
        return content;
    }
    try {
        content.reserve(static_cast<std::size_t>(size));
        AdviseLargePages(content.data(), static_cast<std::size_t>(size));
        content.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return std::string();
    }
    const ssize_t got = ReadFully(fd, content.data(), content.size());
    if (got < 0) {
        return std::string();
    }
    content.resize(static_cast<std::size_t>(got));
    return content;
}

bool WriteFully(int fd, std::string_view bytes) {
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + total, bytes.size() - total);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        total += static_cast<std::size_t>(put);
    }
    return true;
}

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

FileSystemPosix::~FileSystemPosix() {
    ReleaseReadFile();
}

bool FileSystemPosix::ReadWholeFile(const std::string& name, FileBytes& out) {
    ReleaseReadFile();
    const int fd = OpenForReading(name);
    if (fd < 0) {
        return false;
    }
    held_ = fd;
    struct stat info {};
    const off_t size = ::fstat(fd, &info) == 0 ? info.st_size : -1;
    const off_t remaining = SkipByteOrderMark(fd, size, out.encoding);
    out.content = ReadContent(fd, remaining);
    return true;
}

void FileSystemPosix::ReleaseReadFile() {
    if (held_ != -1) {
        ::close(static_cast<int>(held_));
        held_ = -1;
    }
}

bool FileSystemPosix::WriteNewFile(const std::string& name, std::string_view bytes) {
    int fd = ::open(name.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        // An existing file that may be written but not read.
        fd = ::open(name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    }
    if (fd < 0) {
        return false;
    }
    const bool wrote = WriteFully(fd, bytes);
    const bool closed = ::close(fd) == 0;
    return wrote && closed;
}

DeleteOutcome FileSystemPosix::RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0) {
        return DeleteOutcome::Deleted;
    }
    switch (errno) {
        case ENOENT:
        case ENOTDIR: return DeleteOutcome::Missing;
        case EBUSY:
        case ETXTBSY: return DeleteOutcome::InUse;
        default: return DeleteOutcome::Refused;
    }
}

FileReadiness FileSystemPosix::CheckReadiness(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? FileReadiness::Gone : FileReadiness::Ready;
    }
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    // A time of last change far in the future says nothing about a writer.
    const std::int64_t age = Nanoseconds(now) - Nanoseconds(info.st_mtim);
    const bool recent = age > -SettleNanoseconds && age < SettleNanoseconds;
    return recent ? FileReadiness::BeingWritten : FileReadiness::Ready;
}

}  // namespace belegbote
