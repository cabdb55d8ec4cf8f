// end_session <title>: tells the top-level window with that title that the
// session ends, as Windows does at log-off: WM_QUERYENDSESSION, then
// WM_ENDSESSION with its answer. Prints the answer ("allowed" or "refused");
// exit status 1 when there is no such window.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const HWND window = FindWindowA(nullptr, argv[1]);
    if (!window) return 1;
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000, &answer);
    SendMessageTimeoutW(window, WM_ENDSESSION, answer ? TRUE : FALSE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    std::puts(answer ? "allowed" : "refused");
    return 0;
}
