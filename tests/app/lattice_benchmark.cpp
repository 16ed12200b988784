// lattice_benchmark.cpp
// What the lattice view costs at L = 400 on the real engine (SDL's offscreen driver), clusters,
// picture and the texture's new pixels included: a 0.1 % step of the share up and down over 56 % to
// 63 % (budget 2 ms), and new labels with their own threshold (budget 20 ms). Wall-clock time.
#include "app/engine_interface.h"
#include "app/lattice_picture.h"
#include "board/lattice.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

namespace {

// Arg: the share step, +1 or -1; 0 draws new labels instead.
void LatticeChange(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    EngineInterface* engine = CreateEngine(kEngineVersion);
    engine->SetStringState(kStateLogFile, "/dev/null");
    std::vector<std::uint32_t> pixels(400 * 400);
    const std::uint32_t texture = engine->Initiate() ? engine->CreateTexture(400, 400, pixels.data()) : 0;
    if (texture == 0) state.SkipWithError("the offscreen engine did not start");
    const int step = static_cast<int>(state.range(0)), from = step > 0 ? 560 : 630, to = step > 0 ? 630 : 560;
    Lattice lattice(7);
    lattice.SetShare(step == 0 ? 593 : from);
    lattice.NewLabels(400);
    for (auto _ : state) {
        if (step == 0) {
            lattice.NewLabels(400);
        } else {
            if (lattice.Share() == to) lattice.SetShare(from); // over again, once in 70 steps
            lattice.SetShare(lattice.Share() + step);
        }
        PaintLattice(lattice, false, pixels.data());
        engine->UpdateTexture(texture, pixels.data());
    }
    engine->Shutdown();
    engine->Release();
}
BENCHMARK(LatticeChange)->ArgName("step")->Arg(1)->Arg(-1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
