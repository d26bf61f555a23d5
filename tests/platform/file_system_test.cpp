// The file operations against the real file system, in a temp folder.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/FileSystemWin32.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/posix/FileSystemPosix.h"
#endif

namespace belegbote {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

#ifdef _WIN32
using NativeFileSystem = FileSystemWin32;
unsigned long ProcessId() {
    return ::GetCurrentProcessId();
}
#else
using NativeFileSystem = FileSystemPosix;
unsigned long ProcessId() {
    return static_cast<unsigned long>(::getpid());
}
#endif

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A time of last change well in the past, so that any touch would show.
fs::file_time_type MakeOld(const fs::path& path) {
    const auto old = fs::file_time_type::clock::now() - std::chrono::hours(1);
    fs::last_write_time(path, old);
    return fs::last_write_time(path);
}

void MakeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

// What a check run under restricted rights found.
enum class Outcome { Passed, Failed, CannotSetUp };

#ifdef _WIN32
// Runs in this process: there is no other user to become. (Wine run by
// root lets even a read-only file open for writing; such checks skip.)
template <typename Check>
Outcome AsOrdinaryUser(const fs::path&, Check check) {
    return check();
}

bool OpensForReadWrite(const fs::path& path) {
    HANDLE file = ::CreateFileA(path.string().c_str(), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(file);
    return true;
}
#else
// Root ignores permission bits, so a check that needs them runs in a child
// process with the rights of "nobody"; the folder is opened up for it.
template <typename Check>
Outcome AsOrdinaryUser(const fs::path& folder, Check check) {
    if (::geteuid() != 0) {
        return check();
    }
    fs::permissions(folder, fs::perms::all);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped ? static_cast<int>(check()) : static_cast<int>(Outcome::CannotSetUp));
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) {
        return Outcome::Failed;
    }
    return static_cast<Outcome>(WEXITSTATUS(status));
}

bool OpensForReadWrite(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}
#endif

class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        folder = fs::temp_directory_path() /
                 ("belegbote-files-" + std::to_string(ProcessId()) + "-" + test);
        fs::remove_all(folder);
        fs::create_directories(folder);
    }

    void TearDown() override {
        files.ReleaseReadFile();
        std::error_code ignored;
        for (const auto& entry : fs::directory_iterator(folder, ignored)) {
            fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
        fs::remove_all(folder, ignored);
    }

    std::string PathOf(const std::string& name) const { return (folder / name).string(); }

    NativeFileSystem files;
    fs::path folder;
};

TEST_F(FileSystemTest, ReadsTheWholeFileAndLeavesItUntouched) {
    const std::string content = "[Allgemein]\r\nScanTimer=1000\r\nNul=a\0b\r\n"s;
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, content);
    const auto changed = MakeOld(path);

    FileBytes read;
    ASSERT_TRUE(files.ReadWholeFile(path, read));
    EXPECT_EQ(read.encoding, ConfigEncoding::Ansi);
    EXPECT_EQ(read.content, content);
    files.ReleaseReadFile();

    EXPECT_EQ(ReadBytes(path), content);
    EXPECT_EQ(fs::last_write_time(path), changed);
}

TEST_F(FileSystemTest, ByteOrderMarkDecidesTheEncoding) {
    struct Case {
        std::string bytes;
        ConfigEncoding encoding;
        std::string content;
    };
    const Case cases[] = {
        {"\xEF\xBB\xBFk=\xC3\x9C", ConfigEncoding::Utf8, "k=\xC3\x9C"},
        {"\xEF\xBB\xBF", ConfigEncoding::Utf8, ""},
        {"\xEF\xBB", ConfigEncoding::Ansi, "\xEF\xBB"},
        {"\xEF\xBBX=1", ConfigEncoding::Ansi, "\xEF\xBBX=1"},
        {"k=1\xEF\xBB\xBF", ConfigEncoding::Ansi, "k=1\xEF\xBB\xBF"},
        {"\xFF\xFE[\0A\0]\0"s, ConfigEncoding::Ansi, "\xFF\xFE[\0A\0]\0"s},
        {"", ConfigEncoding::Ansi, ""},
    };
    const std::string path = PathOf("Belegbote.ini");
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        WriteBytes(path, c.bytes);
        FileBytes read;
        ASSERT_TRUE(files.ReadWholeFile(path, read));
        EXPECT_EQ(read.encoding, c.encoding);
        EXPECT_EQ(read.content, c.content);
        files.ReleaseReadFile();
    }
}

TEST_F(FileSystemTest, MissingFileAndFolderOfThatNameCannotBeRead) {
    FileBytes read;
    EXPECT_FALSE(files.ReadWholeFile(PathOf("Belegbote.ini"), read));
    fs::create_directory(PathOf("Ordner.ini"));
    EXPECT_FALSE(files.ReadWholeFile(PathOf("Ordner.ini"), read));
    EXPECT_FALSE(files.ReadWholeFile(PathOf("fehlt") + "/Belegbote.ini", read));
}

TEST_F(FileSystemTest, ReadOnlyFileIsReadByALaterAttempt) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, "[Allgemein]\r\n");
    MakeReadOnly(path);
    const Outcome outcome = AsOrdinaryUser(folder, [&] {
        if (OpensForReadWrite(path)) {
            return Outcome::CannotSetUp;
        }
        NativeFileSystem reader;
        FileBytes read;
        const bool ok = reader.ReadWholeFile(path, read) && read.content == "[Allgemein]\r\n";
        return ok ? Outcome::Passed : Outcome::Failed;
    });
    if (outcome == Outcome::CannotSetUp) {
        GTEST_SKIP() << "the read-only mark does not keep this user from writing";
    }
    EXPECT_EQ(outcome, Outcome::Passed);
}

TEST_F(FileSystemTest, WriteNewFileCreatesOrReplacesTheWholeFile) {
    const std::string path = PathOf("Belegbote.ini");
    EXPECT_TRUE(files.WriteNewFile(path, "first\r\n"));
    EXPECT_EQ(ReadBytes(path), "first\r\n");

    WriteBytes(path, std::string(10000, 'x'));
    EXPECT_TRUE(files.WriteNewFile(path, "a\0b"s));
    EXPECT_EQ(ReadBytes(path), "a\0b"s);

    EXPECT_TRUE(files.WriteNewFile(path, ""));
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);

    EXPECT_FALSE(files.WriteNewFile(PathOf("fehlt") + "/Belegbote.ini", "x"));
}

TEST_F(FileSystemTest, FileThatMayNotBeWrittenIsReported) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, "old");
    MakeReadOnly(path);
    const Outcome outcome = AsOrdinaryUser(folder, [&] {
        if (OpensForReadWrite(path)) {
            return Outcome::CannotSetUp;
        }
        NativeFileSystem writer;
        return writer.WriteNewFile(path, "new") ? Outcome::Failed : Outcome::Passed;
    });
    if (outcome == Outcome::CannotSetUp) {
        GTEST_SKIP() << "the read-only mark does not keep this user from writing";
    }
    EXPECT_EQ(outcome, Outcome::Passed);
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST_F(FileSystemTest, RemoveFileTellsWhatHappened) {
    const std::string path = PathOf("beleg.pdf");
    WriteBytes(path, "%PDF");
    EXPECT_EQ(files.RemoveFile(path), DeleteOutcome::Deleted);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(files.RemoveFile(path), DeleteOutcome::Missing);
    EXPECT_EQ(files.RemoveFile(PathOf("fehlt") + "/beleg.pdf"), DeleteOutcome::Missing);

    fs::create_directory(PathOf("ordner.pdf"));
    EXPECT_EQ(files.RemoveFile(PathOf("ordner.pdf")), DeleteOutcome::Refused);
    EXPECT_TRUE(fs::exists(PathOf("ordner.pdf")));
}

TEST_F(FileSystemTest, OldClosedFileIsReadyAndMissingFileIsGone) {
    const std::string path = PathOf("beleg.pdf");
    WriteBytes(path, "%PDF");
    MakeOld(path);
    EXPECT_EQ(files.CheckReadiness(path), FileReadiness::Ready);
    EXPECT_EQ(files.CheckReadiness(PathOf("fehlt.pdf")), FileReadiness::Gone);
    EXPECT_EQ(files.CheckReadiness(PathOf("fehlt") + "/beleg.pdf"), FileReadiness::Gone);
}

#ifdef _WIN32

// Another program's handle on a file, closed at the end of the scope.
class ForeignHandle {
public:
    ForeignHandle(const std::string& path, DWORD access, DWORD sharing)
        : handle_(::CreateFileA(path.c_str(), access, sharing, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr)),
          error_(::GetLastError()) {}
    ~ForeignHandle() { Close(); }
    ForeignHandle(const ForeignHandle&) = delete;
    ForeignHandle& operator=(const ForeignHandle&) = delete;

    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    DWORD Error() const { return error_; }
    void Close() {
        if (IsOpen()) {
            ::CloseHandle(handle_);
            handle_ = INVALID_HANDLE_VALUE;
        }
    }

private:
    HANDLE handle_;
    DWORD error_;  // of the open
};

TEST_F(FileSystemTest, FileAnotherProgramIsWritingIsReadByTheThirdAttempt) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, "k=v");
    ForeignHandle writer(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(writer.IsOpen());

    FileBytes read;
    ASSERT_TRUE(files.ReadWholeFile(path, read));
    EXPECT_EQ(read.content, "k=v");
}

TEST_F(FileSystemTest, FileAnotherProgramReadsIsReadByTheSecondAttempt) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, "k=v");
    ForeignHandle reader(path, GENERIC_READ, FILE_SHARE_READ);  // lets nobody write
    ASSERT_TRUE(reader.IsOpen());

    FileBytes read;
    ASSERT_TRUE(files.ReadWholeFile(path, read));
    EXPECT_EQ(read.content, "k=v");
    reader.Close();
    // Still no writer: the sharing is that of the second attempt, not the third.
    EXPECT_FALSE(ForeignHandle(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE).IsOpen());
}

TEST_F(FileSystemTest, FileLockedByAnotherProgramIsNotWritten) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, "old");
    ForeignHandle reader(path, GENERIC_READ, FILE_SHARE_READ);  // lets nobody write
    ASSERT_TRUE(reader.IsOpen());
    EXPECT_FALSE(files.WriteNewFile(path, "new"));
    reader.Close();
    EXPECT_EQ(ReadBytes(path), "old");
}

TEST_F(FileSystemTest, ReadFileStaysOpenWithItsSharingUntilReleased) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, "k=v");
    FileBytes read;
    ASSERT_TRUE(files.ReadWholeFile(path, read));
    // The first attempt shares reading only: no other writer meanwhile.
    const ForeignHandle writer(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    EXPECT_FALSE(writer.IsOpen());
    EXPECT_EQ(writer.Error(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    EXPECT_TRUE(ForeignHandle(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE).IsOpen());

    files.ReleaseReadFile();
    EXPECT_TRUE(ForeignHandle(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE).IsOpen());
}

TEST_F(FileSystemTest, WriteOnlyFileIsEmptiedAndRefilledByTheSecondAttempt) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, std::string(500, 'o'));
    {
        // Executing counts as reading for sharing, so this handle lets us
        // write but, sharing writing only, keeps us from reading.
        ForeignHandle holder(path, FILE_EXECUTE, FILE_SHARE_WRITE);
        ASSERT_TRUE(holder.IsOpen());
        const DWORD anySharing = FILE_SHARE_READ | FILE_SHARE_WRITE;
        const bool writable = ForeignHandle(path, GENERIC_WRITE, anySharing).IsOpen();
        const bool readable = ForeignHandle(path, GENERIC_READ, anySharing).IsOpen();
        if (!writable || readable) {
            GTEST_SKIP() << "cannot make the file writable but not readable here";
        }
        EXPECT_TRUE(files.WriteNewFile(path, "[Allgemein]\r\n"));
    }
    EXPECT_EQ(ReadBytes(path), "[Allgemein]\r\n");
}

TEST_F(FileSystemTest, FileHeldOpenWithoutDeleteSharingIsInUse) {
    const std::string path = PathOf("beleg.pdf");
    WriteBytes(path, "%PDF");
    ForeignHandle viewer(path, GENERIC_READ, FILE_SHARE_READ);
    ASSERT_TRUE(viewer.IsOpen());
    EXPECT_EQ(files.RemoveFile(path), DeleteOutcome::InUse);
    viewer.Close();
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(files.RemoveFile(path), DeleteOutcome::Deleted);
}

TEST_F(FileSystemTest, FileHeldOpenForWritingIsNotReady) {
    const std::string path = PathOf("beleg.pdf");
    WriteBytes(path, "%PDF");
    ForeignHandle scanner(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
    ASSERT_TRUE(scanner.IsOpen());
    EXPECT_EQ(files.CheckReadiness(path), FileReadiness::BeingWritten);
    scanner.Close();
    EXPECT_EQ(files.CheckReadiness(path), FileReadiness::Ready);
}

#else

TEST_F(FileSystemTest, ReadFileStaysOpenUntilReleased) {
    if (!fs::exists("/proc/self/fd")) {
        GTEST_SKIP() << "no /proc/self/fd to count open files";
    }
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, "k=v");
    const auto before = openFiles();
    FileBytes read;
    ASSERT_TRUE(files.ReadWholeFile(path, read));
    EXPECT_EQ(openFiles(), before + 1);
    files.ReleaseReadFile();
    EXPECT_EQ(openFiles(), before);
}

TEST_F(FileSystemTest, WriteOnlyFileIsEmptiedAndRefilledByTheSecondAttempt) {
    const std::string path = PathOf("Belegbote.ini");
    WriteBytes(path, std::string(500, 'o'));
    fs::permissions(path,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write);
    const Outcome outcome = AsOrdinaryUser(folder, [&] {
        if (OpensForReadWrite(path)) {
            return Outcome::CannotSetUp;
        }
        NativeFileSystem writer;
        return writer.WriteNewFile(path, "[Allgemein]\r\n") ? Outcome::Passed : Outcome::Failed;
    });
    if (outcome == Outcome::CannotSetUp) {
        GTEST_SKIP() << "a write-only file opens for reading here";
    }
    EXPECT_EQ(outcome, Outcome::Passed);
    fs::permissions(path, fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(ReadBytes(path), "[Allgemein]\r\n");
}

// Unlike Windows, POSIX lets a file that another program holds open be
// removed, so "in use" cannot happen for an ordinary file here.
TEST_F(FileSystemTest, FileHeldOpenIsRemovedAnyway) {
    const std::string path = PathOf("beleg.pdf");
    WriteBytes(path, "%PDF");
    const int viewer = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(viewer, 0);
    EXPECT_EQ(files.RemoveFile(path), DeleteOutcome::Deleted);
    EXPECT_FALSE(fs::exists(path));
    ::close(viewer);
}

TEST_F(FileSystemTest, FileJustWrittenIsNotReady) {
    const std::string path = PathOf("beleg.pdf");
    WriteBytes(path, "%PDF");
    EXPECT_EQ(files.CheckReadiness(path), FileReadiness::BeingWritten);
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(3));
    EXPECT_EQ(files.CheckReadiness(path), FileReadiness::Ready);
}

#endif

}  // namespace
}  // namespace belegbote
