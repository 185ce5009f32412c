// The port list as `wavedump ports` and the desktop program fill it, on the
// scripted cards of `make e2e`'s machine (68 output subdevices, 4 of them
// listed), each listing by a new output as in a new process: what the listing
// costs apart from the system's own calls, and how many walks of the cards it
// makes. Beside it the same listing where the system cannot tell its device
// list, so that every ask walks the cards. A summary line closes the run.
#include "ScriptedAlsaCards.h"
#include "ScriptedAlsaPortAccess.h"

#include "transfer/MidiSender.h"
#include "transfer/alsa/AlsaMidiOutput.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

using namespace hwd;

namespace {

void listPorts(benchmark::State& state, bool deviceListKnown)
{
    const auto machine = usbGadgetMachine();
    int walks = 0;
    for (auto _ : state) {
        auto cards = std::make_unique<ScriptedAlsaCards>();
        ScriptedAlsaCards& scripted = *cards;
        scripted.cards = machine;
        if (!deviceListKnown)
            scripted.version = std::nullopt;
        const auto output = makeAlsaMidiOutput(std::move(cards), std::make_unique<ScriptedAlsaPortAccess>());
        const std::vector<MidiPort> ports = listHardwarePorts(*output);
        benchmark::DoNotOptimize(ports.data());
        walks += scripted.walks;
    }
    state.counters["walks"] = benchmark::Counter(walks, benchmark::Counter::kAvgIterations);
}

void BM_ListPorts(benchmark::State& state)
{
    listPorts(state, true);
}
BENCHMARK(BM_ListPorts);

void BM_ListPortsWalkingOnEveryAsk(benchmark::State& state)
{
    listPorts(state, false);
}
BENCHMARK(BM_ListPortsWalkingOnEveryAsk);

// Console output as usual, and each benchmark's CPU time and walks kept for
// the summary.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    struct Figures {
        double microseconds = 0;
        double walks = 0;
    };

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration)
                continue;
            Figures& figures = figures_[run.run_name.function_name];
            figures.microseconds =
                run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e6;
            if (const auto walks = run.counters.find("walks"); walks != run.counters.end())
                figures.walks = walks->second;
        }
    }

    [[nodiscard]] const Figures* find(const std::string& name) const
    {
        const auto found = figures_.find(name);
        return found == figures_.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, Figures> figures_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto* listing = reporter.find("BM_ListPorts");
    const auto* walking = reporter.find("BM_ListPortsWalkingOnEveryAsk");
    if (listing && walking) {
        std::printf("\nPort list of 68 subdevices on the scripted cards (CPU time):\n"
                    "  %.1f us with %.0f walk of the cards per listing (target 1 walk) %s;\n"
                    "  walking the cards on every ask: %.1f us with %.0f walks, %.0f times as long\n",
                    listing->microseconds, listing->walks, listing->walks == 1 ? "met" : "MISSED",
                    walking->microseconds, walking->walks, walking->microseconds / listing->microseconds);
    }
    return 0;
}
