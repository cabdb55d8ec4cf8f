#include "saver/win32/viewer_process.h"

#include <windows.h>

#include <string>

#include "common/capture_location.h"
#include "saver/win32/wide_text.h"

namespace velmoran {

ViewerProcess::~ViewerProcess() {
    if (process_) CloseHandle(process_);
}

bool ViewerProcess::Start(const std::filesystem::path& program, const std::filesystem::path& capture) {
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
    if (process_) CloseHandle(process_);
    process_ = started.hProcess;
    return true;
}

bool ViewerProcess::Exited() const {
    return !process_ || WaitForSingleObject(process_, 0) == WAIT_OBJECT_0;
}

}  // namespace velmoran
