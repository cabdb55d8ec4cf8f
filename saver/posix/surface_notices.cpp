#include "saver/posix/surface_notices.h"

#include <fcntl.h>
#include <unistd.h>

#include <string>

namespace velmoran {

namespace {

struct NoticePipe {
    int reader = -1;
    int writer = -1;
    std::optional<ProcessId> viewer;
    std::string pending;  // the start of a line not yet ended
    bool up = false;
    bool ended = false;  // the viewer closed its end
};

NoticePipe notices;

void Close(int& fd) {
    if (fd >= 0) close(fd);
    fd = -1;
}

// Each whole line says where the surface is; anything else is not the
// viewer's word and changes nothing.
void TakeLines() {
    std::size_t end;
    while ((end = notices.pending.find('\n')) != std::string::npos) {
        const std::string line = notices.pending.substr(0, end);
        notices.pending.erase(0, end + 1);
        if (line == "up") notices.up = true;
        if (line == "gone") notices.up = false;
    }
}

}  // namespace

// The viewer's end closes the pipe: its surface has gone with it.
void ReadSurfaceNotices() {
    char buffer[256];
    while (notices.reader >= 0 && !notices.ended) {
        const ssize_t n = read(notices.reader, buffer, sizeof buffer);
        if (n > 0) {
            notices.pending.append(buffer, static_cast<std::size_t>(n));
            if (notices.pending.size() > 4096) notices.pending.clear();
            TakeLines();
            continue;
        }
        if (n == 0) {
            notices.ended = true;
            notices.up = false;
        }
        return;  // nothing more for now, or an error the next call tries again
    }
}

int OpenSurfaceNotices() {
    Close(notices.reader);
    Close(notices.writer);
    notices = NoticePipe{};
    int ends[2];
    if (pipe(ends) != 0) return -1;
    fcntl(ends[0], F_SETFD, FD_CLOEXEC);
    fcntl(ends[0], F_SETFL, O_NONBLOCK);
    notices.reader = ends[0];
    notices.writer = ends[1];
    return notices.writer;
}

void SurfaceNoticesHandedTo(std::optional<ProcessId> viewer) {
    Close(notices.writer);
    notices.viewer = viewer;
    if (!viewer) Close(notices.reader);
}

int SurfaceNoticeReader() { return notices.ended ? -1 : notices.reader; }

std::optional<ProcessId> ViewerSurfaceUp() {
    ReadSurfaceNotices();
    if (!notices.up || !notices.viewer) return std::nullopt;
    return notices.viewer;
}

}  // namespace velmoran
