// How the viewer tells the saver that its surface is on screen and that it
// has gone: a saver cannot find a Wayland surface by its title as it finds
// an X window. The saver hands the viewer the writing end of a pipe and
// names its descriptor in VELMORAN_SURFACE_FD (common/host_window.h); the
// viewer writes the line "up" once its first frame is shown and "gone" when
// its surfaces are destroyed. Without the variable nothing is written.
#pragma once

namespace velmoran {

inline constexpr const char* kSurfaceUpLine = "up\n";
inline constexpr const char* kSurfaceGoneLine = "gone\n";

class SurfaceNotice {
public:
    // Takes the descriptor the environment names, if it is a pipe or socket.
    SurfaceNotice();
    ~SurfaceNotice();
    SurfaceNotice(const SurfaceNotice&) = delete;
    SurfaceNotice& operator=(const SurfaceNotice&) = delete;

    void Up();
    void Gone();

private:
    void Write(const char* line);

    int fd_ = -1;
    bool up_ = false;
};

}  // namespace velmoran
