// Feeds arbitrary bytes to every reader of component streams: a page, a single item (the
// clipboard's form) and the bare record parser. Each must end in a TException or succeed; a crash,
// a sanitizer report, a hang or memory beyond the limit is a finding. A page that reads must also
// write, and read back to the same bytes.

#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/PrinterPaper.h"
#include "document/StreamClasses.h"
#include "document/StreamTree.h"
#include "document/SystemFacts.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"

#include <QApplication>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication App(*argc, *argv);
    // Fixed facts: a metric system at 96 pixels per inch with A4 in the printer, so that a page is
    // made without asking the printers every time.
    static const TSystemFacts Facts{false, false, 96};
    OverrideSystemFacts(&Facts);
    SetPrinterPaperProvider([] { return TPrinterPaper{}; });
    RegisterStreamClass(BarcodeItemClass());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const std::string_view Bytes(reinterpret_cast<const char*>(Data), Size);
    try {
        ParseComponentStream(Bytes);
    } catch (const TException&) {
    }

    std::string Written;
    try {
        TReportPage Page;
        ReadPageStream(Bytes, Page);
        Written = WritePageStream(Page);
    } catch (const TException&) {
    }
    if (!Written.empty()) {
        // What this program writes, it reads back to the same bytes. The first writing may still
        // differ from the second: a value equal to its declared default is not stored, and a few
        // defaults differ from what a new page or item starts with (an empty function list,
        // PrintQuality 600, an item colour of clWindow, Ratio 0). From the second on it must not.
        TReportPage Second;
        ReadPageStream(Written, Second);
        const std::string SecondWriting = WritePageStream(Second);
        TReportPage Third;
        ReadPageStream(SecondWriting, Third);
        const std::string ThirdWriting = WritePageStream(Third);
        if (ThirdWriting != SecondWriting) {
            // Leaves both writings beside the finding for a look with tessmira-cli dump.
            if (const char* Prefix = std::getenv("TESSMIRA_FUZZ_KEEP")) {
                std::ofstream(std::string(Prefix) + "second.TSM", std::ios::binary)
                    << SecondWriting;
                std::ofstream(std::string(Prefix) + "third.TSM", std::ios::binary) << ThirdWriting;
            }
            std::abort();
        }
    }

    try {
        TReportPage Parent;
        ReadItemStream(Bytes, &Parent);
    } catch (const TException&) {
    }
    return 0;
}
