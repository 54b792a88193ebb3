// Run: tessmira-bench-window [--benchmark_filter=...]; build with CMAKE_BUILD_TYPE=Release.
// The main window on the 1,000-item page: a step undone and redone, and a drag's mouse moves.

#include "app/TFormMain.h"
#include "bench/BenchPages.h"
#include "designer/TDesigner.h"
#include "document/DocumentStream.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QApplication>
#include <QMouseEvent>
#include <QUndoStack>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

// One step on the 1,000-item page in the window, undone and redone: an item's text (first
// argument 0) or the page's margins (1); the second argument times the undo (0) or the redo (1),
// each putting the step's records back on the design surface.
void BM_UndoRedo1000Items(benchmark::State& State) {
    TFormMain Form;
    Form.RestoreDocument(ThousandItems());
    if (State.range(0) == 0)
        Form.Page()->findChild<TBarcodeItem*>()->SetBarcodeText("590123412345");
    else
        Form.Page()->Page().SetTopMargin(25);
    Form.RecordStep(QStringLiteral("Edit"));
    const std::string After = WritePageStream(*Form.Page());
    QUndoStack& Steps = *Form.UndoStack();
    for (auto _ : State) {
        if (State.range(1) == 0) {
            Steps.undo();
            State.PauseTiming();
            Steps.redo();
            State.ResumeTiming();
        } else {
            State.PauseTiming();
            Steps.undo();
            State.ResumeTiming();
            Steps.redo();
        }
    }
    if (Form.UndoStack()->count() != 1 || WritePageStream(*Form.Page()) != After)
        State.SkipWithError("the step was not kept");
}

// One mouse move of a drag on the shown 1,000-item page, the outlines drawn again, with one item
// (argument 1) or every item (1000) selected and moving.
void BM_DragMove1000Items(benchmark::State& State) {
    TFormMain Form;
    Form.resize(1200, 900);
    Form.show();
    Form.RestoreDocument(ThousandItems());
    if (State.range(0) > 1)
        Form.Designer1->SelectAll();
    QApplication::processEvents();
    QWidget* Item = Form.Page()->findChild<TBarcodeItem*>();
    const auto Send = [Item](QEvent::Type Type, QPoint At, Qt::MouseButtons Buttons) {
        QMouseEvent Event(Type, At, Item->mapToGlobal(At), Qt::LeftButton, Buttons, {});
        QApplication::sendEvent(Item, &Event);
    };
    Send(QEvent::MouseButtonPress, {10, 10}, Qt::LeftButton);
    int Step = 0;
    for (auto _ : State) {
        // Back and forth over 100 pixels, so that every move is a new place.
        const int Offset = 10 + std::abs(Step++ % 200 - 100);
        Send(QEvent::MouseMove, {Offset, Offset}, Qt::LeftButton);
        QApplication::processEvents();
    }
    // Let go 20 pixels from the start: the drag was a drag all along, and made one step.
    Send(QEvent::MouseMove, {30, 30}, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, {30, 30}, Qt::NoButton);
    if (Form.UndoStack()->count() != 1)
        State.SkipWithError("the drag made no step");
}

} // namespace

BENCHMARK(BM_DragMove1000Items)->Arg(1)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoRedo1000Items)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
