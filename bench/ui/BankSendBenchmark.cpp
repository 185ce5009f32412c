// A bank of 32 sent from the bank window, in the Qt program's own loop, on a
// MIDI output that takes a real port's time (the dump's 300 bytes at 320 us
// each, then the 100 ms pause): the whole bank against 32 single sends (goal:
// at most 32 times one send, plus 5%), and how soon after each dump the window
// has painted its progress before the next one goes (goal: within 50 ms).

#include "SampleRuns.h"
#include "ScratchDirectory.h"
#include "ScriptedMidiOutput.h"
#include "ScriptedPreviewOutput.h"
#include "WavBytes.h"
#include "app/LoopRegistry.h"
#include "app/MainDialogController.h"
#include "app/ResourceIds.h"
#include "transfer/MidiSender.h"
#include "ui/qt/MainDialog.h"
#include "ui/qt/MessageLoop.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

using namespace hwd;
using Clock = std::chrono::steady_clock;

namespace {

double msSince(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// The scripted output, taking the time a port takes: the wire time of the
// message before sendLong returns (the completion then comes at once), and a
// real pause. It notes when each dump ended.
class TimedMidiOutput final : public MidiOutput {
public:
    ScriptedMidiOutput scripted;
    std::vector<Clock::time_point> dumpEnds;

    unsigned deviceCount() override { return scripted.deviceCount(); }
    MidiResult deviceCaps(unsigned id, MidiOutputCaps& caps) override { return scripted.deviceCaps(id, caps); }
    std::unique_ptr<MidiCompletionSignal> createCompletionSignal() override { return scripted.createCompletionSignal(); }
    MidiResult open(int id, MidiCompletionSignal& done) override { return scripted.open(id, done); }
    void prepare(std::span<const std::uint8_t> message) override { scripted.prepare(message); }
    MidiResult sendLong(std::span<const std::uint8_t> message) override
    {
        std::this_thread::sleep_for(std::chrono::microseconds(320) * message.size());
        return scripted.sendLong(message);
    }
    void reset() override { scripted.reset(); }
    void unprepare() override { scripted.unprepare(); }
    void close() override
    {
        scripted.close();
        dumpEnds.push_back(Clock::now());
    }
    void errorText(MidiResult code, char* text, std::size_t size) override { scripted.errorText(code, text, size); }
    void pause(unsigned milliseconds) override { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
};

// Notes when the bank window's status line is painted.
class PaintClock final : public QObject {
public:
    std::vector<Clock::time_point> paints;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            paints.push_back(Clock::now());
        return QObject::eventFilter(watched, event);
    }
};

struct Figures {
    double singleMs = 0;
    double bankMs = 0;
    double worstRepaintMs = 0;
};

Figures sendABank()
{
    ScratchDirectory folder;
    std::vector<std::filesystem::path> files;
    for (int i = 0; i < 32; ++i)
        files.push_back(folder.write("wave" + std::to_string(i) + ".wav", WavBytes::monoWav(SampleRuns::ramp(128, i, 7))));

    TimedMidiOutput midi;
    midi.scripted.devices = {{"Harlix MIDI 1", ScriptedMidiOutput::DeviceKind::HardwarePort}};
    MessageLoop loop;
    LoopRegistry::instance().add(std::this_thread::get_id(), loop);
    ScriptedPreviewOutput preview;
    Waveshape wave;
    MainDialogController controller(wave, {midi, preview, [] { return 1u; }});
    Figures figures;
    {
        MainDialog dialog(controller, wave);
        dialog.show();

        // One send as the main dialog's Send makes it.
        Waveshape single;
        single.loaded = true;
        MidiSender sender(midi);
        const Clock::time_point before = Clock::now();
        (void)sender.send(single, 0, 100);
        figures.singleMs = msSince(before, Clock::now());

        controller.command(ID_BANK, ControlEvent::Other);
        controller.bank().filesDropped(files, 0, {}, {});
        auto* bank = dialog.findChild<QDialog*>(QStringLiteral("IDD_BANK"));
        auto* status = bank->findChild<QLabel*>(QStringLiteral("IDC_BANK_STATUS"));
        PaintClock paints;
        status->installEventFilter(&paints);
        midi.dumpEnds.clear();

        const Clock::time_point start = Clock::now();
        QTimer::singleShot(0, [&] { bank->findChild<QPushButton*>(QStringLiteral("IDC_BANK_SEND"))->click(); });
        QTimer done;
        QObject::connect(&done, &QTimer::timeout, [&] {
            if (midi.dumpEnds.size() == 32 && !controller.bank().sending())
                loop.postQuit(0);
        });
        done.start(5);
        (void)loop.run();
        figures.bankMs = msSince(start, midi.dumpEnds.back());
        // After each dump but the last, the first paint of the progress line.
        for (std::size_t i = 0; i + 1 < midi.dumpEnds.size(); ++i) {
            const auto painted = std::find_if(paints.paints.begin(), paints.paints.end(),
                                              [&](Clock::time_point at) { return at >= midi.dumpEnds[i]; });
            const double gap = painted == paints.paints.end() ? 1e9 : msSince(midi.dumpEnds[i], *painted);
            figures.worstRepaintMs = std::max(figures.worstRepaintMs, gap);
        }
    }
    LoopRegistry::instance().remove(std::this_thread::get_id());
    return figures;
}

Figures last;

void BM_BankOf32(benchmark::State& state)
{
    for (auto _ : state)
        last = sendABank();
    state.counters["single_ms"] = last.singleMs;
    state.counters["bank_ms"] = last.bankMs;
    state.counters["ratio"] = last.bankMs / (32 * last.singleMs);
    state.counters["worst_repaint_ms"] = last.worstRepaintMs;
}
BENCHMARK(BM_BankOf32)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    std::printf("bank of 32: %.0f ms against 32 x %.1f ms = %.0f ms (ratio %.3f, goal <= 1.05); "
                "worst repaint after a dump %.1f ms (goal <= 50 ms)\n",
                last.bankMs, last.singleMs, 32 * last.singleMs, last.bankMs / (32 * last.singleMs),
                last.worstRepaintMs);
    benchmark::Shutdown();
    return 0;
}
