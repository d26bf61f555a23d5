#pragma once
// Whole-file reads and writes, deletion and readiness checks on real files.
#include <cstdint>
#include <string>
#include <string_view>

namespace belegbote {

enum class ConfigEncoding { Ansi, Utf8 };

// What ReadWholeFile hands back when the file could be opened.
struct FileBytes {
    ConfigEncoding encoding = ConfigEncoding::Ansi;
    std::string content;  // without the UTF-8 byte-order mark
};

enum class DeleteOutcome {
    Deleted,    // the file is gone now
    Missing,    // it was already gone
    InUse,      // another program holds it open (sharing or lock violation)
    Refused,    // anything else: read-only, no right to delete, a folder ...
};

// Whether a listed file may be handed off now.
enum class FileReadiness { Ready, BeingWritten, Gone };

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Opens `name` with the attempts of the platform, reads it in one go and
    // keeps it open (with the access and sharing that worked) until
    // ReleaseReadFile. False when it cannot be opened at all.
    virtual bool ReadWholeFile(const std::string& name, FileBytes& out) = 0;
    virtual void ReleaseReadFile() = 0;

    // Creates or empties `name` and writes `bytes`. True only when the file
    // was opened and every byte reached it.
    virtual bool WriteNewFile(const std::string& name, std::string_view bytes) = 0;

    virtual DeleteOutcome RemoveFile(const std::string& path) = 0;

    // A file another program is still writing is not ready.
    virtual FileReadiness CheckReadiness(const std::string& path) = 0;
};

}  // namespace belegbote
