#include "platform/win32/FileSystemWin32.h"

#include <windows.h>

#include <new>

namespace belegbote {

namespace {

HANDLE OpenExisting(const std::string& name, DWORD access, DWORD sharing) {
    return ::CreateFileA(name.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Read and write first; a read-only file, then a file another program is
// writing, are still read by the later attempts. Nothing is ever written.
HANDLE OpenForReading(const std::string& name) {
    HANDLE file = OpenExisting(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ);
    if (file == INVALID_HANDLE_VALUE) {
        file = OpenExisting(name, GENERIC_READ, FILE_SHARE_READ);
    }
    if (file == INVALID_HANDLE_VALUE) {
        file = OpenExisting(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
    }
    return file;
}

// The remaining size after a UTF-8 byte-order mark, which is stepped over.
std::int32_t SkipByteOrderMark(HANDLE file, std::int32_t size, ConfigEncoding& encoding) {
    encoding = ConfigEncoding::Ansi;
    if (size < 3) {
        return size;
    }
    unsigned char head[3] = {};
    DWORD got = 0;
    if (::ReadFile(file, head, 3, &got, nullptr) && got == 3 && head[0] == 0xEF &&
        head[1] == 0xBB && head[2] == 0xBF) {
        encoding = ConfigEncoding::Utf8;
        return size - 3;
    }
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    return size;
}

// One read of `size` bytes; a failed read leaves the content empty.
std::string ReadContent(HANDLE file, std::int32_t size) {
    std::string content;
    if (size <= 0) {
        return content;
    }
    try {
        content.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return std::string();
    }
    DWORD got = 0;
    if (!::ReadFile(file, content.data(), static_cast<DWORD>(size), &got, nullptr)) {
        return std::string();
    }
    content.resize(got);
    return content;
}

}  // namespace

FileSystemWin32::~FileSystemWin32() {
    ReleaseReadFile();
}

bool FileSystemWin32::ReadWholeFile(const std::string& name, FileBytes& out) {
    ReleaseReadFile();
    HANDLE file = OpenForReading(name);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    held_ = reinterpret_cast<std::intptr_t>(file);
    // The low 32 bits as a signed number; a failed query reads as -1.
    const auto size = static_cast<std::int32_t>(::GetFileSize(file, nullptr));
    const std::int32_t remaining = SkipByteOrderMark(file, size, out.encoding);
    out.content = ReadContent(file, remaining);
    return true;
}

void FileSystemWin32::ReleaseReadFile() {
    if (held_ != -1) {
        ::CloseHandle(reinterpret_cast<HANDLE>(held_));
        held_ = -1;
    }
}

bool FileSystemWin32::WriteNewFile(const std::string& name, std::string_view bytes) {
    HANDLE file = ::CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        // An existing file that may be written but not read.
        file = ::CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             TRUNCATE_EXISTING, 0, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const BOOL wrote =
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    const BOOL closed = ::CloseHandle(file);
    return wrote && closed && written == bytes.size();
}

DeleteOutcome FileSystemWin32::RemoveFile(const std::string& path) {
    if (::DeleteFileA(path.c_str())) {
        return DeleteOutcome::Deleted;
    }
    switch (::GetLastError()) {
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION: return DeleteOutcome::InUse;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return DeleteOutcome::Missing;
        default: return DeleteOutcome::Refused;
    }
}

FileReadiness FileSystemWin32::CheckReadiness(const std::string& path) {
    // No sharing at all: fails while any other program holds the file open.
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        ::CloseHandle(file);
        return FileReadiness::Ready;
    }
    switch (::GetLastError()) {
        case ERROR_SHARING_VIOLATION: return FileReadiness::BeingWritten;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND: return FileReadiness::Gone;
        default: return FileReadiness::Ready;  // the hand-off decides
    }
}

}  // namespace belegbote
