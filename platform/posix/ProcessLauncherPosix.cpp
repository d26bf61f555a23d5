#include "platform/posix/ProcessLauncherPosix.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <string_view>

#include "watch/CommandLineSplit.h"

extern char** environ;

namespace belegbote {

namespace {

// Undoes what this program changed for itself: the signals it blocks for its
// signalfd and the dispositions it may have set.
bool PrepareSignals(posix_spawnattr_t& attributes) {
    sigset_t none;
    sigset_t defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        sigaddset(&defaults, signal);
    }
    return posix_spawnattr_setsigmask(&attributes, &none) == 0 &&
           posix_spawnattr_setsigdefault(&attributes, &defaults) == 0 &&
           posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF) ==
               0;
}

// posix_spawn without a shell; glibc reports a failed chdir or exec in the
// child as an error here.
bool Spawn(const std::vector<std::string>& args, const std::string& workingDir, pid_t& child) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
    bool ready = PrepareSignals(attributes);
    if (ready && !workingDir.empty()) {
        ready = posix_spawn_file_actions_addchdir_np(&actions, workingDir.c_str()) == 0;
    }
    const bool started =
        ready && posix_spawn(&child, argv[0], &actions, &attributes, argv.data(), environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

unsigned char Byte(char c) {
    return static_cast<unsigned char>(c);
}

int WaitForEnd(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return status;
}

std::string FindOnPath(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view rest = path != nullptr ? path : "";
    for (;;) {
        const std::size_t colon = rest.find(':');
        std::string folder(rest.substr(0, colon));
        std::string candidate = (folder.empty() ? "." : folder) + "/" + std::string(program);
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        if (colon == std::string_view::npos) {
            return "";
        }
        rest.remove_prefix(colon + 1);
    }
}

// "https:", "mailto:" and the like; a drive letter is no scheme.
bool StartsWithScheme(std::string_view text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon < 2 || !std::isalpha(Byte(text[0]))) {
        return false;
    }
    for (char c : text.substr(0, colon)) {
        if (!std::isalnum(Byte(c)) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

// The shell on Windows refuses what it cannot find: a path that names nothing.
bool TargetExists(const std::string& file, const std::string& workingDir) {
    if (file.empty()) {
        return false;
    }
    if (StartsWithScheme(file)) {
        return true;
    }
    const std::string path =
        (file.front() == '/' || workingDir.empty()) ? file : workingDir + "/" + file;
    return ::access(path.c_str(), F_OK) == 0;
}

}  // namespace

std::optional<int> ProcessLauncherPosix::Run(const std::vector<std::string>& args,
                                             const std::string& workingDir, bool wait) {
    ReapFinished();
    pid_t child = 0;
    if (!Spawn(args, workingDir, child)) {
        return std::nullopt;
    }
    if (!wait) {
        unwaited_.push_back(child);
        return 0;
    }
    return WaitForEnd(child);
}

void ProcessLauncherPosix::ReapFinished() {
    std::erase_if(unwaited_, [](pid_t child) {
        int status = 0;
        return ::waitpid(child, &status, WNOHANG) != 0;
    });
}

bool ProcessLauncherPosix::StartDirect(const std::string& commandLine,
                                       const std::string& workingDir, bool wait) {
    const std::vector<std::string> args = SplitCommandLine(commandLine);
    if (args.empty() || args.front().empty()) {
        return false;
    }
    return Run(args, workingDir, wait).has_value();
}

bool ProcessLauncherPosix::StartThroughShell(const std::string& file, const std::string& parameters,
                                             const std::string& workingDir, bool wait) {
    const std::string opener = FindOnPath("xdg-open");
    if (opener.empty() || !TargetExists(file, workingDir)) {
        return false;
    }
    std::vector<std::string> args = {opener, file};
    if (!parameters.empty()) {
        args.push_back(parameters);
    }
    const std::optional<int> status = Run(args, workingDir, wait);
    // When waited for, the opener's own verdict counts: it fails for a target
    // it cannot open.
    return status.has_value() && (!wait || (WIFEXITED(*status) && WEXITSTATUS(*status) == 0));
}

}  // namespace belegbote
