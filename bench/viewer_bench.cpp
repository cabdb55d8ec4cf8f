// The viewer's costs: reading a capture and building its mipmap chain (on the
// processor, and as GLU builds it), uploading the chain, and drawing the
// turning sphere at the window's size on this machine's OpenGL.
#include "viewer/bitmap_file.h"
#include "viewer/bitmap_texture.h"
#include "viewer/gl.h"
#include "viewer/picture_loader.h"
#include "viewer/scene.h"
#include "viewer/x11_glx/glx_window.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// A 24-bit bottom-up capture of the given size with a smooth colour ramp.
std::string WriteCapture(int width, int height) {
    std::string path = "/tmp/velmoran_bench_" + std::to_string(width) + "x" + std::to_string(height) + ".bmp";
    std::uint32_t stride = (width * 3 + 3) / 4 * 4;
    std::vector<std::uint8_t> file(54 + stride * height, 0);
    auto put = [&](int at, std::uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    file[0] = 'B';
    file[1] = 'M';
    put(2, static_cast<std::uint32_t>(file.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, width, 4);
    put(22, height, 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &file[54 + y * stride + x * 3];
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x + y);
        }
    if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(file.data(), 1, file.size(), f);
        std::fclose(f);
    }
    return path;
}

// The viewer's own window and context, 1024 x 768, presenting as fast as it
// can draw.
struct ViewerWindow {
    ViewerWindow() {
        display = XOpenDisplay(nullptr);
        if (!display) return;
        window = velmoran::CreateGlxWindow(display, velmoran::ViewerWindowPlace{None, 1024, 768});
        if (window) velmoran::ShowGlxWindow(display, *window);
    }
    ~ViewerWindow() {
        if (!display) return;
        if (window) velmoran::DestroyGlxWindow(display, *window);
        XCloseDisplay(display);
    }
    bool ok() const { return window && window->context; }
    Display* display = nullptr;
    std::optional<velmoran::GlxWindow> window;
};

ViewerWindow& TheWindow() {
    static ViewerWindow window;
    return window;
}

// Reading the file and building the chain's bands, as the viewer's loading
// thread does, each band freed as it comes.
void PreparePicture(benchmark::State& state) {
    std::string path = WriteCapture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        velmoran::PictureLoader loader(path);
        benchmark::DoNotOptimize(loader.Size());
        while (std::optional<velmoran::MipBand> band = loader.NextBand()) benchmark::DoNotOptimize(band->bgr.data());
    }
    std::remove(path.c_str());
}
BENCHMARK(PreparePicture)->Args({1280, 1024})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

// The chain's bands alone, from a picture in memory.
void BuildMipBands(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    std::string path = WriteCapture(width, height);
    std::optional<velmoran::BitmapFile> file = velmoran::OpenBitmapFile(path);
    std::vector<std::uint8_t> pixels(velmoran::LevelStride(width) * static_cast<std::size_t>(height));
    if (!file || !file->ReadRows(height, pixels.data())) return state.SkipWithError("capture unreadable");
    for (auto _ : state) {
        std::size_t read = 0;
        velmoran::BuildMipBands(
            width, height,
            [&](int count, std::uint8_t* out) {
                const std::size_t bytes = velmoran::LevelStride(width) * static_cast<std::size_t>(count);
                std::memcpy(out, pixels.data() + read, bytes);
                read += bytes;
                return true;
            },
            [](velmoran::MipBand&& band) {
                benchmark::DoNotOptimize(band.bgr.data());
                return true;
            });
    }
    std::remove(path.c_str());
}
BENCHMARK(BuildMipBands)->Args({1280, 1024})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

// GLU's chain for the same picture, as the viewer built it before.
void GluBuild2DMipmaps(benchmark::State& state) {
    if (!TheWindow().ok()) return state.SkipWithError("no OpenGL context");
    std::string path = WriteCapture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    std::optional<velmoran::BitmapFile> file = velmoran::OpenBitmapFile(path);
    std::vector<std::uint8_t> pixels(velmoran::LevelStride(width) * static_cast<std::size_t>(height));
    if (!file || !file->ReadRows(height, pixels.data())) return state.SkipWithError("capture unreadable");
    velmoran::BitmapTexture texture;
    texture.Create(path);
    for (auto _ : state) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, width, height, GL_BGR_EXT, GL_UNSIGNED_BYTE, pixels.data());
        glFinish();
    }
    std::remove(path.c_str());
}
BENCHMARK(GluBuild2DMipmaps)->Args({1280, 1024})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading, building and uploading, the whole texture load as one piece.
void LoadCapture(benchmark::State& state) {
    if (!TheWindow().ok()) return state.SkipWithError("no OpenGL context");
    std::string path = WriteCapture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    velmoran::BitmapTexture texture;
    for (auto _ : state) {
        texture.LoadBitmap(path);
        glFinish();
    }
    std::remove(path.c_str());
}
BENCHMARK(LoadCapture)->Args({1280, 1024})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();

void DrawFrame(benchmark::State& state) {
    if (!TheWindow().ok()) return state.SkipWithError("no OpenGL context");
    std::string path = WriteCapture(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    velmoran::Scene scene(path);
    scene.InitScene(1024, 768);
    for (auto _ : state) {
        scene.DrawScene(1.0f / 60);
        glXSwapBuffers(TheWindow().display, TheWindow().window->window);
        glFinish();
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    std::remove(path.c_str());
}
BENCHMARK(DrawFrame)
    ->Args({1280, 1024})
    ->Args({3840, 2160})
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()  // the GL driver's threads draw too
    ->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (TheWindow().ok())
        benchmark::AddCustomContext("GL renderer", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
