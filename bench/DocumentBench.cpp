// Document files: writing and reading a page of 1,000 barcode items, the bare record parser over
// a large file, and a 30-item page printed into a PDF printer against tessmira-cli render of it to
// PDF timed as a whole process.

#include "bench/BenchPages.h"
#include "common/Text1252.h"
#include "docops/DocumentFile.h"
#include "document/DocumentStream.h"
#include "document/StreamClasses.h"
#include "document/StreamTree.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"
#include "printing/PrintReport.h"
#include "printing/TPaintDevicePrintJob.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

void BM_WritePage1000Items(benchmark::State& State) {
    const std::unique_ptr<TReportPage> Page = ItemPage(1000);
    std::size_t Bytes = 0;
    for (auto _ : State) {
        const std::string Written = WritePageStream(*Page);
        Bytes += Written.size();
        benchmark::DoNotOptimize(Written.data());
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(Bytes));
}

// Parse, create the items, apply their properties and validate them: all that Open does with
// the file's bytes.
void BM_ReadPage1000Items(benchmark::State& State) {
    const std::string& Bytes = ThousandItems();
    for (auto _ : State) {
        std::unique_ptr<TReportPage> Page = NewDocumentPage();
        ReadPageStream(Bytes, *Page);
        State.PauseTiming();
        Page.reset();
        State.ResumeTiming();
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * Bytes.size()));
}

// The record parser alone over a large valid file: the 1,000-item page with its item records
// repeated to 20,000 items (about 20 MB).
void BM_ParseStream20000Items(benchmark::State& State) {
    const std::string& Page = ThousandItems();
    const std::size_t ItemsStart = Page.find("\x0CTQRepBarcode");
    // The page's record up to its items, the items 20 times over, and the page's end marker.
    std::string Large = Page.substr(0, ItemsStart);
    const std::string Items = Page.substr(ItemsStart, Page.size() - 1 - ItemsStart);
    for (int I = 0; I < 20; ++I)
        Large += Items;
    Large += '\0';
    // Counts what it is shown, so that nothing of the parse can be left out.
    struct TCounter final : TStreamVisitor {
        std::size_t Components = 0;
        std::size_t Records = 0;
        void BeginComponent(std::uint8_t, std::int32_t, std::string_view,
                            std::string_view) override {
            ++Components;
        }
        void Property(std::string_view, const TStreamValue&) override { ++Records; }
        void EndComponent() override {}
    };
    for (auto _ : State) {
        TCounter Counter;
        ParseComponentStream(Large, Counter);
        benchmark::DoNotOptimize(Counter.Records);
        if (Counter.Components != 20001) {
            State.SkipWithError("the stream did not parse as 20,000 items");
            break;
        }
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * Large.size()));
}

// tessmira-cli render of a 30-item A4 page to PDF at the argument's dots per inch, start to exit.
void BM_RenderCliProcess30Items(benchmark::State& State) {
    QTemporaryDir Dir;
    const QString Document = Dir.filePath(QStringLiteral("page.TSM"));
    const QString Pdf = Dir.filePath(QStringLiteral("page.pdf"));
    WriteDocument(*ItemPage(30), Document);
    for (auto _ : State) {
        QProcess Cli;
        Cli.start(QStringLiteral(TESSMIRA_BINARY_DIR "/tools/tessmira-cli"),
                  {QStringLiteral("render"), QStringLiteral("--dpi"),
                   QString::number(State.range(0)), Document, Pdf});
        if (!Cli.waitForFinished(30000) || Cli.exitCode() != 0) {
            State.SkipWithError("tessmira-cli render failed");
            break;
        }
    }
}

// The Print command's run of the 30-item page into a PDF printer at 600 dpi, file written: the
// job's settings, the items and the frame, in this process.
void BM_PrintReportPdf600Dpi30Items(benchmark::State& State) {
    QTemporaryDir Dir;
    const std::unique_ptr<TReportPage> Page = ItemPage(30);
    for (auto _ : State) {
        QPrinter Pdf(QPrinter::HighResolution);
        Pdf.setOutputFormat(QPrinter::PdfFormat);
        Pdf.setOutputFileName(Dir.filePath(QStringLiteral("page.pdf")));
        Pdf.setResolution(600);
        if (PrintReport(*Page, &Pdf, false).Cancelled) {
            State.SkipWithError("the print run was cancelled");
            break;
        }
    }
}

// A4 at 600 dots per inch, made once: the two benchmarks below draw onto the same sheet.
QImage& Sheet600() {
    static QImage Sheet = [] {
        QImage Image(4961, 7016, QImage::Format_RGB32);
        Image.fill(Qt::white);
        const int DotsPerMeter = 23622; // 600 dots per inch
        Image.setDotsPerMeterX(DotsPerMeter);
        Image.setDotsPerMeterY(DotsPerMeter);
        return Image;
    }();
    return Sheet;
}

// The 30-item page through its print path: every item's title and barcode with its readable
// text at its place, and the page's frame.
void BM_DrawPage600Dpi30Items(benchmark::State& State) {
    const std::unique_ptr<TReportPage> Page = ItemPage(30);
    for (auto _ : State) {
        TPaintDevicePrintJob Job(Sheet600());
        Job.PrintPage(*Page);
    }
}

// The floor for the same sheet: each item's bars filled straight into its rectangle, without
// text, titles or frames.
void BM_FillBars600Dpi30Items(benchmark::State& State) {
    const std::unique_ptr<TReportPage> Page = ItemPage(30);
    struct TBars {
        QRectF Rect;
        std::vector<TElement> Elements;
        int Modules = 0;
    };
    std::vector<TBars> Items;
    const double Scale = 600 / 96.0;
    for (QObject* Child : Page->children()) {
        auto* Item = qobject_cast<TBarcodeItem*>(Child);
        if (Item == nullptr)
            continue;
        TBarcodeEngine E = Item->Barcode();
        TBars Bars{QRectF(Item->x() * Scale, Item->y() * Scale, Item->width() * Scale,
                          Item->height() * Scale),
                   {},
                   0};
        for (const char C : E.EncodePattern()) {
            Bars.Elements.push_back(E.DecodeElement(C));
            Bars.Modules += Bars.Elements.back().Width;
        }
        Items.push_back(std::move(Bars));
    }
    for (auto _ : State) {
        QPainter Canvas(&Sheet600());
        for (const TBars& Bars : Items) {
            const double Module = Bars.Rect.width() / std::max(Bars.Modules, 1);
            double X = Bars.Rect.left();
            for (const TElement& Element : Bars.Elements) {
                if (Element.Kind != ekSpace)
                    Canvas.fillRect(
                        QRectF(X, Bars.Rect.top(), Element.Width * Module, Bars.Rect.height()),
                        Qt::black);
                X += Element.Width * Module;
            }
        }
    }
}

} // namespace

BENCHMARK(BM_DrawPage600Dpi30Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillBars600Dpi30Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePage1000Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPage1000Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ParseStream20000Items)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrintReportPdf600Dpi30Items)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_RenderCliProcess30Items)
    ->Arg(300)
    ->Arg(600)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
