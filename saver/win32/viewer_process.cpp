// The viewer as a child process, started with CreateProcess.
#include <windows.h>

#include <string>

#include "common/capture_location.h"
#include "saver/backend.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

struct ViewerProcess::Native {
    ~Native() {
        if (process) CloseHandle(process);
    }
    HANDLE process = nullptr;
};

ViewerProcess::ViewerProcess() : native_(std::make_unique<Native>()) {}

ViewerProcess::~ViewerProcess() = default;

// A show on Windows has no host window.
bool ViewerProcess::Start(const std::filesystem::path& program, const std::filesystem::path& capture,
                          std::uint32_t) {
    // The viewer inherits this process's environment.
    if (!capture.empty()) {
        SetEnvironmentVariableW(Widen(kCaptureVariable).c_str(), capture.c_str());
    }
    std::wstring commandLine = program.wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started))
        return false;
    CloseHandle(started.hThread);
    if (native_->process) CloseHandle(native_->process);
    native_->process = started.hProcess;
    return true;
}

bool ViewerProcess::Exited() {
    const HANDLE process = native_->process;
    return !process || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
}

std::optional<ProcessId> ViewerProcess::Id() const {
    if (!native_->process) return std::nullopt;
    return static_cast<ProcessId>(GetProcessId(native_->process));
}

namespace {

BOOL CALLBACK CloseWindowOfProcess(HWND window, LPARAM process) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == static_cast<DWORD>(process)) PostMessageW(window, WM_CLOSE, 0, 0);
    return TRUE;
}

}  // namespace

// A close request to the viewer's windows, which ends it as its own close
// does; terminated when it is still there after the grace.
void ViewerProcess::End() {
    const HANDLE process = native_->process;
    if (Exited()) return;
    EnumWindows(&CloseWindowOfProcess, static_cast<LPARAM>(GetProcessId(process)));
    const auto grace = static_cast<DWORD>(kViewerEndGrace.count());
    if (WaitForSingleObject(process, grace) == WAIT_OBJECT_0) return;
    TerminateProcess(process, 0);
    WaitForSingleObject(process, INFINITE);
}

}  // namespace velmoran
