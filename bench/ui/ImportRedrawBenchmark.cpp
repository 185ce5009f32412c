// How fast the Import Cycle window follows a change of Start or Length: the
// wave made again from the cycle and both pictures drawn again, on the longest
// recording import takes (ten minutes at 48 kHz), must stay under 20 ms.

#include "app/CyclePictures.h"
#include "wave/CycleImport.h"
#include "wave/Recording.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <vector>

using namespace hwd;

namespace {

// Pictures of the window's size at the usual font: 256 and 146 dialog units high
// come to about these pixels.
constexpr Size overviewSize{512, 91};
constexpr Size cycleSize{512, 237};

const std::vector<float>& tenMinutes()
{
    static const std::vector<float> frames = [] {
        std::vector<float> made(maximumRecordingFrames);
        for (std::size_t n = 0; n < made.size(); ++n)
            made[n] = static_cast<float>(12000.0 * std::sin(2.0 * 3.141592653589793 * 110.0 * n / 48000.0));
        return made;
    }();
    return frames;
}

void BM_ImportRedraw(benchmark::State& state, double length)
{
    const std::vector<float>& frames = tenMinutes();
    const CyclePictures::Overview overview(frames);
    std::uint64_t start = 1000000;
    for (auto _ : state) {
        // Each change moves the start, as typing or a click on the overview does.
        const Cycle cycle{start++, length};
        const SampleArray wave = cycleToWave(frames, cycle);
        const Drawing whole = overview.draw(overviewSize, cycle);
        const Drawing zoomed = CyclePictures::drawCycle(frames, cycle, wave, cycleSize);
        benchmark::DoNotOptimize(whole.fills.data());
        benchmark::DoNotOptimize(zoomed.fills.data());
    }
}
BENCHMARK_CAPTURE(BM_ImportRedraw, 436.36, 436.36)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ImportRedraw, 2400.5, 2400.5)->Unit(benchmark::kMillisecond);

class Summary final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const double ms = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
            lines_.push_back("  " + run.benchmark_name() + ": " + std::to_string(ms) + " ms (target < 20 ms) "
                             + (ms < 20.0 ? "met" : "MISSED"));
        }
    }
    void print() const
    {
        std::printf("\nImport Cycle's redraw after a change (CPU time) against its target:\n");
        for (const std::string& line : lines_)
            std::printf("%s\n", line.c_str());
    }

private:
    std::vector<std::string> lines_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Summary summary;
    benchmark::RunSpecifiedBenchmarks(&summary);
    benchmark::Shutdown();
    summary.print();
    return 0;
}
