#include "viewer/wayland_egl/surface_notice.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>

#include "common/host_window.h"

namespace velmoran {

namespace {

// The descriptor named, when it is open and a pipe or a socket: a number
// that names a file or nothing is not the saver's.
int NamedDescriptor() {
    const char* named = std::getenv(kSurfaceNoticeVariable);
    if (!named || !*named) return -1;
    char* end = nullptr;
    const long fd = std::strtol(named, &end, 10);
    struct stat status = {};
    if (*end != '\0' || fd < 0 || fd > 1 << 20 || fstat(static_cast<int>(fd), &status) != 0) return -1;
    if (!S_ISFIFO(status.st_mode) && !S_ISSOCK(status.st_mode)) return -1;
    return static_cast<int>(fd);
}

}  // namespace

SurfaceNotice::SurfaceNotice() : fd_(NamedDescriptor()) {
    if (fd_ < 0) return;
    // Children of the viewer (none today) must not hold the saver's pipe open.
    fcntl(fd_, F_SETFD, FD_CLOEXEC);
    // A saver that has gone must not end the viewer by SIGPIPE.
    std::signal(SIGPIPE, SIG_IGN);
}

SurfaceNotice::~SurfaceNotice() {
    Gone();
    if (fd_ >= 0) close(fd_);
}

void SurfaceNotice::Up() {
    if (up_) return;
    up_ = true;
    Write(kSurfaceUpLine);
}

void SurfaceNotice::Gone() {
    if (!up_) return;
    up_ = false;
    Write(kSurfaceGoneLine);
}

void SurfaceNotice::Write(const char* line) {
    if (fd_ < 0) return;
    // A line this short is written whole or not at all.
    [[maybe_unused]] const ssize_t written = write(fd_, line, std::strlen(line));
}

}  // namespace velmoran
