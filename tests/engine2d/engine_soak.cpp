// engine_soak.cpp
// Soak program: opens the engine's window and draws, every frame, what krondel draws (a cleared
// frame, 64 board cells from 512 x 512 textures at 51.2 px, two panels, 120 glyphs at 0.65 from a
// 256 x 256 texture and a cursor) for a given number of seconds, then prints the frame rate and its
// own CPU use (all threads). Limits: the textures are generated noise, not the program's data.
// Usage: engine_soak [seconds]   (run it under Xvfb; SDL_RENDER_DRIVER picks another renderer)
#include "app/engine_interface.h"
#include "engine2d/sdl_engine.h"

#include <SDL.h>
#include <SDL_image.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kBoardSide = 8;
constexpr int kGlyphs = 120;
constexpr float kCellScale = 0.1f;
constexpr float kGlyphScale = 0.65f;

EngineInterface* engine = nullptr;
std::uint32_t metal = 0, wood = 0, panel = 0, glyphs = 0, arrow = 0;
int framesDrawn = 0;
std::chrono::steady_clock::time_point endAt;

std::uint32_t MakeTexture(const std::filesystem::path& folder, const char* name, int width, int height,
                          std::uint32_t seed, bool withAlpha) {
    SDL_Surface* image = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (image == nullptr) return 0;
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<unsigned char*>(image->pixels) + y * image->pitch);
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const Uint32 grey = 96 + ((seed >> 24) & 0x7F);
            const Uint32 alpha = withAlpha ? ((seed >> 16) & 0xFF) : 0xFF;
            row[x] = (alpha << 24) | (grey << 16) | (grey << 8) | grey;
        }
    }
    const std::filesystem::path path = folder / name;
    const bool jpeg = path.extension() == ".jpg";
    const int saved = jpeg ? IMG_SaveJPG(image, path.c_str(), 90) : IMG_SavePNG(image, path.c_str());
    SDL_FreeSurface(image);
    return saved == 0 ? engine->LoadTexture(path.c_str(), 0, false) : 0;
}

Quad Rectangle(float x, float y, float width, float height, std::uint32_t texture, float u1, float v1) {
    Quad quad{};
    quad.corners[0] = {x, y, 0.5f, 0xFFFFFFFF, 0.0f, 0.0f};
    quad.corners[1] = {x + width, y, 0.5f, 0xFFFFFFFF, u1, 0.0f};
    quad.corners[2] = {x + width, y + height, 0.5f, 0xFFFFFFFF, u1, v1};
    quad.corners[3] = {x, y + height, 0.5f, 0xFFFFFFFF, 0.0f, v1};
    quad.texture = texture;
    quad.blend = kBlendAlpha;
    return quad;
}

bool Frame() { return std::chrono::steady_clock::now() >= endAt || engine->KeyState(kKeyEscape); }

bool Render() {
    engine->BeginScene(0);
    engine->Clear(0x00000000);
    const float cell = 512.0f * kCellScale;
    for (int i = 0; i < kBoardSide * kBoardSide; ++i) {
        const Quad quad = Rectangle(static_cast<float>(i % kBoardSide) * 55.0f + 10.0f,
                                    static_cast<float>(i / kBoardSide) * 55.0f + 10.0f, cell, cell,
                                    (i * 7) % 3 == 0 ? metal : wood, 1.0f, 1.0f);
        engine->RenderQuad(&quad);
    }
    const Quad bottom = Rectangle(0.0f, 450.0f, 640.0f, 200.0f, panel, 1.0f, 100.0f / 480.0f);
    const Quad side = Rectangle(465.0f, 0.0f, 180.0f, 480.0f, panel, 180.0f / 640.0f, 240.0f / 480.0f);
    engine->RenderQuad(&bottom);
    engine->RenderQuad(&side);
    for (int i = 0; i < kGlyphs; ++i) { // 16 x 20 px glyph cells of the 256 x 256 atlas
        const float u = static_cast<float>(i % 16) / 16.0f;
        const float v = static_cast<float>((i / 16) % 12) * 20.0f / 256.0f;
        Quad glyph = Rectangle(480.0f + static_cast<float>(i % 24) * 6.5f, 10.0f + static_cast<float>(i / 24) * 13.0f,
                               16.0f * kGlyphScale, 20.0f * kGlyphScale, glyphs, 1.0f, 1.0f);
        for (Vertex& corner : glyph.corners) {
            corner.tx = u + corner.tx / 16.0f;
            corner.ty = v + corner.ty * 20.0f / 256.0f;
            corner.color = 0xFF000000;
        }
        engine->RenderQuad(&glyph);
    }
    float mouseX = 0.0f, mouseY = 0.0f;
    engine->MousePosition(&mouseX, &mouseY);
    const Quad cursor = Rectangle(mouseX, mouseY, 29.0f, 31.0f, arrow, 29.0f / 32.0f, 31.0f / 32.0f);
    engine->RenderQuad(&cursor);
    engine->EndScene();
    ++framesDrawn;
    return false;
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
    if (!(seconds > 0.0 && seconds < 3600.0)) {
        std::fprintf(stderr, "usage: engine_soak [seconds, 0 < s < 3600]\n");
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "engine-soak";
    std::filesystem::create_directories(folder);
    engine = CreateEngine(kEngineVersion);
    engine->SetStringState(kStateLogFile, (folder / "soak.log").c_str());
    engine->SetStringState(kStateWindowTitle, "engine soak");
    engine->SetIntState(kStateScreenWidth, 640);
    engine->SetIntState(kStateScreenHeight, 480);
    engine->SetIntState(kStateFrameRateCap, 50);
    engine->SetFuncState(kStateFrameHandler, Frame);
    engine->SetFuncState(kStateRenderHandler, Render);
    if (!engine->Initiate()) return 1;
    metal = MakeTexture(folder, "metal.jpg", 512, 512, 1, false);
    wood = MakeTexture(folder, "wood.jpg", 512, 512, 2, false);
    panel = MakeTexture(folder, "panel.png", 640, 480, 3, false);
    glyphs = MakeTexture(folder, "glyphs.png", 256, 256, 4, true);
    arrow = MakeTexture(folder, "arrow.png", 32, 32, 5, true);
    if (metal == 0 || wood == 0 || panel == 0 || glyphs == 0 || arrow == 0) {
        std::fprintf(stderr, "engine_soak: a texture failed, see %s\n", (folder / "soak.log").c_str());
        return 1;
    }
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(SdlEngine::Instance().Renderer(), &info);

    const double cpuBefore = CpuSeconds();
    const auto startedAt = std::chrono::steady_clock::now();
    endAt = startedAt + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(seconds));
    engine->Start();
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt).count();
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("renderer=%s video=%s frames=%d seconds=%.2f fps=%.1f cpu_seconds=%.2f cpu_percent_of_one_core=%.1f\n",
                info.name, SDL_GetCurrentVideoDriver(), framesDrawn, wall, framesDrawn / wall, cpu, 100.0 * cpu / wall);
    engine->Shutdown();
    engine->Release();
    return 0;
}
