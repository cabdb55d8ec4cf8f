#include "viewer/viewer_program.h"

#include <algorithm>

namespace velmoran {

void ViewerProgram::OnResize(int width, int height) {
    clientWidth_ = width;
    clientHeight_ = height;
    renderer_.ResizeViewport(width, height);
}

bool ViewerProgram::Start() {
    // The clock starts before the picture loads, so the first frame's step
    // covers the loading time.
    const std::int64_t frequency = system_.CounterFrequency();
    clock_.Start(frequency, system_.Counter());
    if (!renderer_.InitScene(clientWidth_, clientHeight_)) return false;
    pacer_.Start(frequency, system_.RefreshRate(), system_.Counter());
    running_ = true;
    return true;
}

void ViewerProgram::OnKey(int code, bool down) {
    if (code >= 0 && code < static_cast<int>(keys_.size())) keys_[code] = down;
}

void ViewerProgram::OnPaint() {
    system_.HideCursor();
    if (!running_) return;
    if (keys_[kEscapeKey]) {
        running_ = false;
        system_.ReleaseContext();
        system_.PostQuit();
        system_.ShowCursor();
        return;
    }
    const std::int64_t begun = system_.Counter();
    const bool paced = system_.PacesFrames();
    // The turn is the clock's at the moment the frame will be seen.
    const std::int64_t shown = paced ? begun : std::max(begun, pacer_.due());
    renderer_.DrawScene(clock_.Step(shown));
    if (!paced) {
        system_.FinishDrawing();
        pacer_.Drawn(system_.Counter() - begun);
        system_.WaitUntil(shown);
    }
    const std::int64_t presenting = system_.Counter();
    system_.Present();
    pacer_.Presented(presenting, system_.ProcessorTime());
}

int ViewerProgram::MillisecondsToNextFrame() {
    if (!running_) return 0;
    const std::int64_t ticks = pacer_.TicksUntilDrawing(system_.Counter());
    const std::int64_t frequency = system_.CounterFrequency();
    // Rounded up: waking a moment early would only mean waking twice.
    return static_cast<int>((ticks * 1000 + frequency - 1) / std::max<std::int64_t>(frequency, 1));
}

void ViewerProgram::OnDestroy() {
    running_ = false;  // no context is left to draw with
    system_.ReleaseContext();
    system_.PostQuit();
}

}  // namespace velmoran
