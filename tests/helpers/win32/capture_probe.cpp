// capture_probe <file>: photographs the screen as a show does and writes the
// capture file there. Exit status 0 when the file was written.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <filesystem>

#include "common/capture_bitmap.h"
#include "saver/win32/screen_capture.h"

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 2) {
        std::fprintf(stderr, "usage: capture_probe <file>\n");
        return 2;
    }
    const std::filesystem::path file(argv[1]);
    LocalFree(argv);
    const auto picture = velmoran::CaptureDesktop();
    return picture && velmoran::WriteCaptureBitmap(file, *picture) ? 0 : 1;
}
