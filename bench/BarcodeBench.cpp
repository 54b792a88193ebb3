// Run: tessmira-bench [--benchmark_filter=...]; build with CMAKE_BUILD_TYPE=Release.
// BM_EncodePattern/<type> against BM_ZintEncode/<type> (libzint encoding the same data), and
// BM_PaintBarcode against BM_PaintFloor (the same bars as bare fillRect calls plus one drawText).

#include "barcode/TBarcodeEngine.h"
#include "bench/BenchPages.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>
#include <zint.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

// Heap allocations, counted to show what one encoding costs beyond its result strings.
namespace {
std::atomic<long> Allocations{0};
}

void* operator new(std::size_t Size) {
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* P = std::malloc(Size == 0 ? 1 : Size))
        return P;
    throw std::bad_alloc();
}
void operator delete(void* P) noexcept {
    std::free(P);
}
void operator delete(void* P, std::size_t) noexcept {
    std::free(P);
}

namespace {

struct TCase {
    TBarcodeType Typ;
    const char* Text;     // as the engine takes it
    int ZintSymbology;    // the same symbol in libzint
    const char* ZintData; // Codabar: zint wants the start and stop characters the engine adds
    bool Checksum;
};

const std::vector<TCase>& Cases() {
    static const std::vector<TCase> List = {
        {bcCodeEAN13, "123456789012", BARCODE_EANX, "123456789012", true},
        {bcCode128B, "Tessmira B 16 ch", BARCODE_CODE128B, "Tessmira B 16 ch", false},
        {bcCode39, "CODE39 TST", BARCODE_CODE39, "CODE39 TST", false},
        {bcCode93, "CODE93", BARCODE_CODE93, "CODE93", false},
        {bcCode_2_5_interleaved, "12345678", BARCODE_C25INTER, "12345678", false},
        {bcCodeCodabar, "123456", BARCODE_CODABAR, "A123456B", false},
    };
    return List;
}

void EncodePattern(benchmark::State& State, const TCase& C) {
    TBarcodeEngine E;
    E.SetTyp(C.Typ);
    E.SetChecksum(C.Checksum);
    const std::string Text = C.Text;
    long Before = 0;
    long Counted = 0;
    for (auto _ : State) {
        E.SetText(Text); // the encoder may have rewritten it
        Before = Allocations.load(std::memory_order_relaxed);
        std::string Pattern = E.EncodePattern();
        Counted += Allocations.load(std::memory_order_relaxed) - Before;
        benchmark::DoNotOptimize(Pattern);
    }
    State.counters["allocs"] =
        benchmark::Counter(static_cast<double>(Counted), benchmark::Counter::kAvgIterations);
}

void ZintEncode(benchmark::State& State, const TCase& C) {
    zint_symbol* Symbol = ZBarcode_Create();
    const std::string Data = C.ZintData;
    for (auto _ : State) {
        ZBarcode_Clear(Symbol);
        Symbol->symbology = C.ZintSymbology;
        const int Error =
            ZBarcode_Encode(Symbol, reinterpret_cast<const unsigned char*>(Data.data()),
                            static_cast<int>(Data.size()));
        if (Error >= ZINT_ERROR) {
            State.SkipWithError(Symbol->errtxt);
            break;
        }
        benchmark::DoNotOptimize(Symbol->width);
    }
    ZBarcode_Delete(Symbol);
}

constexpr QSize PaintSize(300, 150);

// The argument is the module fit: 0 stretched as on the design surface, 1 whole dots as printed.
void BM_PaintBarcode(benchmark::State& State) {
    TBarcodeEngine E;
    E.SetText("123456789012");
    E.SetChecksum(true);
    const auto Fit = static_cast<TModuleFit>(State.range(0));
    QImage Image(PaintSize, QImage::Format_RGB32);
    Image.fill(Qt::white);
    for (auto _ : State) {
        QPainter Painter(&Image);
        E.PaintBarcode(Painter, QRect(QPoint(0, 0), PaintSize), true, Fit);
    }
}

// The least any drawing of that barcode costs: its 30 bars as device rectangles and the digits
// as one text.
void BM_PaintFloor(benchmark::State& State) {
    TBarcodeEngine E;
    E.SetText("123456789012");
    E.SetChecksum(true);
    const std::string Pattern = E.EncodePattern();
    const double Scale = PaintSize.width() / 95.0;
    std::vector<QRectF> Bars;
    double X = 0;
    for (const char Ch : Pattern) {
        const TElement El = E.DecodeElement(Ch);
        if (El.Kind != ekSpace)
            Bars.emplace_back(X * Scale, 0, El.Width * Scale, PaintSize.height() - 7 * Scale);
        X += El.Width;
    }
    QFont Font(QStringLiteral("Arial"));
    Font.setPixelSize(static_cast<int>(12 * Scale));
    const QString Digits = QString::fromStdString(E.Text());
    QImage Image(PaintSize, QImage::Format_RGB32);
    Image.fill(Qt::white);
    for (auto _ : State) {
        QPainter Painter(&Image);
        for (const QRectF& Bar : Bars)
            Painter.fillRect(Bar, Qt::black);
        Painter.setFont(Font);
        Painter.drawText(QPointF(0, PaintSize.height() - 2), Digits);
    }
}

} // namespace

BENCHMARK(BM_PaintBarcode)->Arg(mfStretch)->Arg(mfWholeDots);
BENCHMARK(BM_PaintFloor);

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv, [] {
        for (const TCase& C : Cases()) {
            const std::string Name = BarcodeTypeTable[C.Typ].Name;
            benchmark::RegisterBenchmark(("BM_EncodePattern/" + Name).c_str(), EncodePattern, C);
            benchmark::RegisterBenchmark(("BM_ZintEncode/" + Name).c_str(), ZintEncode, C);
        }
    });
}
