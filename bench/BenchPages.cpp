#include "bench/BenchPages.h"

#include "docops/DocumentFile.h"
#include "document/DocumentStream.h"
#include "document/StreamClasses.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

const TStreamClassRegistration BarcodeItems(BarcodeItemClass());

} // namespace

std::unique_ptr<TReportPage> ItemPage(int Count) {
    std::unique_ptr<TReportPage> Page = NewDocumentPage();
    const TBarcodeType Types[] = {bcCodeEAN13, bcCode128B, bcCode39, bcCodeEAN8, bcCodeUPC_A};
    const char* Texts[] = {"400638133393", "Shelf 12-B", "PART-0042", "9638507", "03600029145"};
    for (int I = 0; I < Count; ++I) {
        auto* Item = new TBarcodeItem(Page.get());
        Item->SetBounds(20 + 150 * (I % 5), 20 + 180 * (I / 5 % 6), 140, 90);
        Item->SetParent(Page.get());
        Item->SetBarcodeType(Types[I % 5]);
        Item->SetBarcodeText(Texts[I % 5]);
        Item->SetTitleRow1("Item " + std::to_string(I));
    }
    return Page;
}

const std::string& ThousandItems() {
    static const std::string Bytes = WritePageStream(*ItemPage(1000));
    return Bytes;
}

int RunBenchmarks(int Argc, char** Argv, const std::function<void()>& Register) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(Argc, Argv);
    if (Register)
        Register();
    benchmark::Initialize(&Argc, Argv);
    if (benchmark::ReportUnrecognizedArguments(Argc, Argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
