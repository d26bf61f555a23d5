#include "platform/win32/ProcessLauncherWin32.h"

#include <windows.h>
// Needs the types of <windows.h> first.
#include <shellapi.h>

namespace belegbote {

namespace {

const char* DirectoryOrNull(const std::string& workingDir) {
    return workingDir.empty() ? nullptr : workingDir.c_str();
}

void WaitAndClose(HANDLE process, bool wait) {
    if (wait) {
        ::WaitForSingleObject(process, INFINITE);
    }
    ::CloseHandle(process);
}

}  // namespace

bool ProcessLauncherWin32::StartDirect(const std::string& commandLine,
                                       const std::string& workingDir, bool wait) {
    std::string writable = commandLine;  // CreateProcessA may write into it
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                          nullptr, DirectoryOrNull(workingDir), &startup, &process)) {
        return false;
    }
    ::CloseHandle(process.hThread);
    WaitAndClose(process.hProcess, wait);
    return true;
}

bool ProcessLauncherWin32::StartThroughShell(const std::string& file, const std::string& parameters,
                                             const std::string& workingDir, bool wait) {
    SHELLEXECUTEINFOA request{};
    request.cbSize = sizeof(request);
    request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.lpVerb = "";  // the target's default action
    request.lpFile = file.c_str();
    request.lpParameters = parameters.c_str();
    request.lpDirectory = DirectoryOrNull(workingDir);
    request.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExA(&request)) {
        return false;
    }
    // No process when the request went to a program that was already running.
    if (request.hProcess != nullptr) {
        WaitAndClose(request.hProcess, wait);
    }
    return true;
}

}  // namespace belegbote
