// font_loader_fuzz.cpp
// libFuzzer target: any bytes as a font description file, then copies, assignment and drawing with
// the result. Besides the sanitizers it checks that every engine reference and texture is given
// back exactly once. Limits: the bitmap names it can load are fixed ("font.png", "b.png").
#include "gfx/bitmap_font.h"
#include "tests/support/recording_engine.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordingEngine& engine = RecordingEngine::Instance();
    engine.Reset();
    engine.textureFiles["fonts\\font.png"] = {128, 64};
    engine.textureFiles["fonts\\b.png"] = {7, 3};
    const std::string text(reinterpret_cast<const char*>(data), size);
    engine.files["fonts\\f.fnt"] = text;
    {
        BitmapFont font("fonts\\f.fnt");
        BitmapFont copy(font);
        BitmapFont other("missing.fnt");
        other = copy;
        font.SetTextScale(0.65f);
        font.DrawText(10, 10, AlignCenter, text.c_str());
        font.DrawFormattedInBox(0, 0, 40, 40, AlignRight | AlignMiddle, "%s", text.c_str());
        other.DrawText(0, 0, AlignRight, text.c_str());
    }
    Check(engine.holders == 0);
    Check(engine.loadedTextures.empty());
    Check(engine.outstandingResources == 0);
    const std::set<std::uint32_t> distinct(engine.freedTextures.begin(), engine.freedTextures.end());
    Check(distinct.size() == engine.freedTextures.size());
    return 0;
}
