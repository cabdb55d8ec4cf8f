// The viewer's behaviour between its window system and its scene: the key
// table, the clock, painting at the display's pace and the two ways the show
// ends. Each platform's shell feeds it window events, asks it how long it may
// wait for the next one, and supplies the WindowSystem.
#pragma once

#include "viewer/frame_clock.h"
#include "viewer/frame_pacer.h"

#include <array>
#include <cstdint>

namespace velmoran {

inline constexpr int kEscapeKey = 27;  // the Escape key's code in the key table

// What the program needs from the platform's window and GL binding.
class WindowSystem {
public:
    virtual ~WindowSystem() = default;
    virtual std::int64_t CounterFrequency() = 0;
    virtual std::int64_t Counter() = 0;
    virtual void HideCursor() = 0;
    virtual void ShowCursor() = 0;
    // Makes no context current and deletes the OpenGL context.
    virtual void ReleaseContext() = 0;
    // Asks the event loop to end; the program then exits with status 0.
    virtual void PostQuit() = 0;
    // Shows the frame just drawn and marks the window as painted.
    virtual void Present() = 0;
    // Waits until the GL has finished the frame just drawn.
    virtual void FinishDrawing() = 0;
    // Sleeps until the counter reaches `count`.
    virtual void WaitUntil(std::int64_t count) = 0;
    // True where the window system says when it wants a frame (Wayland's
    // frame callbacks): each frame is then drawn and presented at once, when
    // a paint asks for it.
    virtual bool PacesFrames() { return false; }
    // The display's refresh rate in frames per second; 0 when it is unknown.
    virtual int RefreshRate() = 0;
    // The processor time the whole process (all its threads, the GL
    // driver's included) has used so far, in Counter ticks: costly frames are
    // presented at a fraction of the refresh rate.
    virtual std::int64_t ProcessorTime() = 0;
};

// What the program asks of the OpenGL scene.
class Renderer {
public:
    virtual ~Renderer() = default;
    virtual void ResizeViewport(int width, int height) = 0;
    virtual bool InitScene(int width, int height) = 0;
    virtual void DrawScene(float frameStep) = 0;
};

class ViewerProgram {
public:
    ViewerProgram(WindowSystem& system, Renderer& renderer) : system_(system), renderer_(renderer) {}

    // The window's client size changed.
    void OnResize(int width, int height);
    // Starts the clock, initialises the scene (which loads the picture) and
    // lets paints draw. False when the scene could not be initialised.
    bool Start();
    // A key went down or up; codes outside the table are ignored.
    void OnKey(int code, bool down);
    // The window needs painting: one frame while the show runs, drawn for
    // the moment it is due and presented then; Escape held down at this
    // moment ends the show instead.
    void OnPaint();
    // How long the event loop may wait for events before it paints again:
    // frames follow the display's refresh rate (60 a second when it is not
    // known), or every second or third refresh where they cost much processor
    // time, rather than the speed of the processor, which spares power; a
    // paint begins early enough for its frame to be drawn when it is due. 0
    // means paint now; the picture keeps turning by the clock either way.
    int MillisecondsToNextFrame();
    // The window is going away: release the context and end.
    void OnDestroy();
    // The event loop has ended.
    void OnQuit() { running_ = false; }

    bool running() const { return running_; }

private:
    WindowSystem& system_;
    Renderer& renderer_;
    bool running_ = false;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    std::array<bool, 256> keys_{};
    FrameClock clock_;
    FramePacer pacer_;
};

}  // namespace velmoran
