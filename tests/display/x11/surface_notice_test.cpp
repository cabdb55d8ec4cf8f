// The lines the Wayland shell tells the saver on: only on a pipe or socket
// the environment names, "up" once and "gone" once after it.
#include "viewer/wayland_egl/surface_notice.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "common/host_window.h"

namespace velmoran {
namespace {

std::string Drain(int fd) {
    std::string text;
    char buffer[64];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
    return text;
}

TEST(SurfaceNotice, TellsUpOnceThenGoneOnThePipeNamed) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_NONBLOCK), 0);
    setenv(kSurfaceNoticeVariable, std::to_string(ends[1]).c_str(), 1);
    {
        SurfaceNotice notice;
        notice.Up();
        notice.Up();
    }  // closing tells "gone" and closes the pipe's end
    unsetenv(kSurfaceNoticeVariable);
    EXPECT_EQ(Drain(ends[0]), "up\ngone\n");
    close(ends[0]);
}

TEST(SurfaceNotice, WritesNothingWithoutASurfaceShownOrToAFileNamed) {
    char path[] = "/tmp/notice-XXXXXX";
    const int file = mkstemp(path);
    ASSERT_GE(file, 0);
    setenv(kSurfaceNoticeVariable, std::to_string(file).c_str(), 1);
    { SurfaceNotice().Up(); }
    setenv(kSurfaceNoticeVariable, "3x", 1);
    { SurfaceNotice().Up(); }
    unsetenv(kSurfaceNoticeVariable);
    EXPECT_EQ(lseek(file, 0, SEEK_END), 0);
    close(file);
    unlink(path);
}

}  // namespace
}  // namespace velmoran
