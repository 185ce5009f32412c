// How fast the Wave Tweaker's view repaints: a whole repaint after a button must
// stay under 2 ms, and a pen point's strip under 0.5 ms so that a drag keeps up
// with the mouse.

#include "ui/qt/WaveTweakerDialog.h"
#include "ui/qt/WaveView.h"
#include "app/DialogController.h"
#include "app/WindowsNT.h"
#include "wave/Waveshape.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

using namespace hwd;

namespace {

class PaintCounter final : public QObject {
public:
    explicit PaintCounter(QWidget* target) : QObject(target) { target->installEventFilter(this); }

    long long paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return QObject::eventFilter(watched, event);
    }
};

// The Tweaker's window alone: its controller's decisions are not measured here.
class NoRules final : public DialogController {
public:
    void initialise(DialogControls&) override {}
    void command(int, ControlEvent) override {}
    bool keyPressed(const KeyPress&) override { return false; }
    void pictureMenuRequested(std::optional<Point>) override {}
};

// A loaded, resampled wave in an open Wave Tweaker whose view is in edit mode.
class OpenTweaker final {
public:
    OpenTweaker()
    {
        setWindowsNT(true);
        wave_.loaded = true;
        wave_.resampled = true;
        for (std::size_t i = 0; i < wave_.samples.size(); ++i) {
            wave_.samples[i] = static_cast<std::int16_t>(30000.0 * std::sin(static_cast<double>(i) * 0.11));
        }
        dialog_ = std::make_unique<WaveTweakerDialog>(rules_, wave_);
        dialog_->show();
        dialog_->view()->setEditMode(true);
        QCoreApplication::processEvents();
    }

    [[nodiscard]] WaveView& view() const { return *dialog_->view(); }

    // Reports how many paints each iteration caused, so that a figure cannot come
    // from work that never painted.
    static void countPaints(benchmark::State& state, const PaintCounter& counter)
    {
        state.counters["paints"] = benchmark::Counter(static_cast<double>(counter.paints), benchmark::Counter::kAvgIterations);
    }

private:
    Waveshape wave_;
    NoRules rules_;
    std::unique_ptr<WaveTweakerDialog> dialog_;
};

void BM_ViewRepaint(benchmark::State& state)
{
    const OpenTweaker tweaker;
    WaveView& view = tweaker.view();
    const PaintCounter counter(&view);
    for (auto _ : state) {
        view.repaint();
    }
    OpenTweaker::countPaints(state, counter);
}
BENCHMARK(BM_ViewRepaint)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ViewRenderToImage(benchmark::State& state)
{
    const OpenTweaker tweaker;
    WaveView& view = tweaker.view();
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ViewRenderToImage)->Unit(benchmark::kMillisecond)->UseRealTime();

// One pen point and the repaint of its strip, as during a drag.
void BM_PenPointStrip(benchmark::State& state)
{
    const OpenTweaker tweaker;
    WaveView& view = tweaker.view();
    const int width = view.clientArea().width();
    const int height = view.clientArea().height();
    const PaintCounter counter(&view);
    int step = 0;
    for (auto _ : state) {
        view.penPoint({(step * 7) % width, (step * 13) % height});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
        ++step;
    }
    OpenTweaker::countPaints(state, counter);
}
BENCHMARK(BM_PenPointStrip)->Unit(benchmark::kMillisecond)->UseRealTime();

// The console report, with each figure set against its target.
class TargetReporter final : public benchmark::ConsoleReporter {
public:
    TargetReporter() : ConsoleReporter(isatty(STDOUT_FILENO) != 0 ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        static const std::map<std::string, double> targetMilliseconds = {
            {"BM_ViewRepaint", 2.0},
            {"BM_ViewRenderToImage", 2.0},
            {"BM_PenPointStrip", 0.5},
        };
        for (const Run& run : runs) {
            const auto target = targetMilliseconds.find(run.run_name.function_name);
            if (run.run_type != Run::RT_Iteration || target == targetMilliseconds.end()) {
                continue;
            }
            const double milliseconds = run.GetAdjustedRealTime();
            GetOutputStream() << "  " << run.benchmark_name() << ": " << milliseconds << " ms against a target of "
                              << target->second << " ms: " << (milliseconds < target->second ? "met" : "MISSED")
                              << '\n';
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
