// SPDX-License-Identifier: GPL-3.0-or-later
// From an answer to the circle on screen: the click, the training's step and
// the paint of the circle, with the history kept (the training's journal
// written after every answer) and without it, as before the journal.
#include "core/options.h"
#include "core/settings_store.h"
#include "core/statistics_settings.h"
#include "platform/settings/registry_file_store.h"
#include "qt_bench_main.h"
#include "ui/main/main_form.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace {

using namespace kvarzel;

// Notes the circle's paint.
class PaintWatch : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            Painted = true;
        return false;
    }
};

// A shown main window on settings and a history of its own, in a training
// too long to end while it is measured.
class AnswerWindow {
public:
    explicit AnswerWindow(bool keepHistory)
        : settings_((folder_.path() + "/Kvarzel.reg").toStdString()) {
        qputenv("XDG_DATA_HOME", folder_.path().toUtf8());
        qputenv("XDG_STATE_HOME", folder_.path().toUtf8());
        SaveKeepHistory(&settings_, keepHistory);
        SetSettingsStore(&settings_);
        options_.PeasCount = 9999;
        options_.TimerEnabled = false;
        options_.BeepWrong = false;
        options_.WaveWrong = false;
        Options = &options_;
        form_ = std::make_unique<TMainForm>();
        form_->show();
        QApplication::processEvents();
        // The number on the circle changes with every answer, its colour not always.
        form_->CounterLabel->installEventFilter(&watch_);
        Start();
    }
    ~AnswerWindow() {
        form_.reset();
        Options = nullptr;
        SetSettingsStore(nullptr);
    }

    bool TrainingNearItsEnd() const { return form_->Training().DrawIndex() >= 9990; }
    void Start() { form_->TrainMenuItem->trigger(); }
    // One answer, until its circle is painted.
    void AnswerAndPaint() {
        watch_.Painted = false;
        form_->WhiteButton->click();
        while (!watch_.Painted)
            QApplication::processEvents();
    }

private:
    QTemporaryDir folder_;
    RegistryFileStore settings_;
    TOptions options_;
    PaintWatch watch_;
    std::unique_ptr<TMainForm> form_;
};

void BM_AnswerToPaint(benchmark::State& state) {
    AnswerWindow window(state.range(0) != 0);
    for (auto _ : state) {
        if (window.TrainingNearItsEnd()) {
            state.PauseTiming();
            window.Start();
            state.ResumeTiming();
        }
        window.AnswerAndPaint();
    }
}
BENCHMARK(BM_AnswerToPaint)->ArgName("kept")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return kvarzel::bench::RunQtBenchmarks(
        argc, argv,
        {{"answer to paint, history kept / not kept", "BM_AnswerToPaint/kept:1",
          "BM_AnswerToPaint/kept:0", 1.1}});
}
