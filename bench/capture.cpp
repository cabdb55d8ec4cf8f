// The saver's share of a show's start: photographing the screen (X11, when a
// display is there) and writing the capture file from it band by band,
// turning its pixels into the capture picture, and writing a whole picture
// held in memory, for a 1280 x 1024 and a 3840 x 2160 screen.
#include <benchmark/benchmark.h>

#include <X11/Xlib.h>

#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

#include "common/capture_bitmap.h"
#include "saver/show/screen_pixels.h"
#include "saver/x11_fltk/display_driver/x_screen_capture.h"

namespace {

std::vector<std::uint8_t> ScreenOf(int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 7);
    return pixels;
}

void ConvertScreen(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto pixels = ScreenOf(w, h);
    velmoran::ScreenPicture picture;
    for (auto _ : state) {
        velmoran::ConvertToBgr(pixels.data(), w, h, static_cast<std::size_t>(w) * 4, velmoran::PixelLayout{}, picture);
        benchmark::DoNotOptimize(picture.bgr.data());
    }
}

void WriteCapture(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    const auto pixels = ScreenOf(w, h);
    velmoran::ScreenPicture picture;
    velmoran::ConvertToBgr(pixels.data(), w, h, static_cast<std::size_t>(w) * 4, velmoran::PixelLayout{}, picture);
    const velmoran::HeldPicture held(std::move(picture));
    const auto file = std::filesystem::temp_directory_path() / "velmoran-bench-capture.bmp";
    for (auto _ : state) benchmark::DoNotOptimize(velmoran::WriteCaptureBitmap(file, held));
    std::filesystem::remove(file);
}

// The whole capture of the screen the display has, whatever its size: read,
// converted and written.
void CaptureRootWindow(benchmark::State& state) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        state.SkipWithError("no X display");
        return;
    }
    const auto file = std::filesystem::temp_directory_path() / "velmoran-bench-capture.bmp";
    for (auto _ : state) {
        const auto screen = velmoran::CaptureRootWindow(display);
        benchmark::DoNotOptimize(screen && velmoran::WriteCaptureBitmap(file, *screen));
    }
    std::filesystem::remove(file);
    state.SetLabel(std::to_string(DisplayWidth(display, DefaultScreen(display))) + "x" +
                   std::to_string(DisplayHeight(display, DefaultScreen(display))));
    XCloseDisplay(display);
}

BENCHMARK(ConvertScreen)->Args({1280, 1024})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(WriteCapture)->Args({1280, 1024})->Args({3840, 2160})->Unit(benchmark::kMillisecond);
BENCHMARK(CaptureRootWindow)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
