#include "printing/PagePrint.h"

#include "document/DocumentStream.h"
#include "document/TCustomPrintJob.h"
#include "document/TDataMerge.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"

#include <QPointer>
#include <QRect>

#include <vector>

namespace {

QList<TPrintable*> Items(TReportPage& Page) {
    return Page.findChildren<TPrintable*>(Qt::FindDirectChildrenOnly);
}

} // namespace

TPrintRun::TPrintRun(TReportPage& Page, TCustomPrintJob& Job) : FPage(Page), FUnits(Page.Units()) {
    FPage.SetUnits(TPageUnit::Native);
    for (TPrintable* Item : Items(FPage))
        Item->BeginPrint(&Job);
}

TPrintRun::~TPrintRun() {
    for (TPrintable* Item : Items(FPage))
        Item->EndPrint();
    FPage.SetUnits(FUnits);
}

void PrintPageContent(TReportPage& Page, TCustomPrintJob& Job, const TItemPrinted& OnItem) {
    // Child order is stacking order: later items print over earlier ones, as on the screen.
    // Guarded: events handled between items (Cancel) may see an item go.
    std::vector<QPointer<TPrintable>> Printables;
    for (TPrintable* Item : Items(Page))
        Printables.emplace_back(Item);
    const int Count = static_cast<int>(Printables.size());
    for (int Done = 0; Done < Count; ++Done) {
        if (Printables[static_cast<std::size_t>(Done)])
            Printables[static_cast<std::size_t>(Done)]->PrintAt(0, 0);
        if (OnItem && !OnItem(Done + 1, Count))
            return;
    }
    const TPrintFrame& Frame = Page.Frame();
    if (!Frame.AnyLine())
        return;
    const TPageGeometry& G = Page.Page();
    const auto V = [&G](TPageGeometry::TPageValue Index) { return G.NativeValue(Index); };
    const int Left = Job.DeviceX(V(TPageGeometry::pvLeftMargin));
    const int Top = Job.DeviceY(V(TPageGeometry::pvTopMargin));
    const int Right = Job.DeviceX(V(TPageGeometry::pvWidth) - V(TPageGeometry::pvRightMargin));
    const int Bottom = Job.DeviceY(V(TPageGeometry::pvLength) - V(TPageGeometry::pvBottomMargin));
    Frame.PaintFrame(Job.Canvas(), QRect(Left, Top, Right - Left, Bottom - Top), Job.XFactor(),
                     Job.YFactor());
}

void RunPagePrint(TReportPage& Page, TCustomPrintJob& Job) {
    const TPrintRun Run(Page, Job);
    PrintPageContent(Page, Job);
}

TPageSheets::TPageSheets(TReportPage& Page, TDataSource* Data) : FPrinted(&Page) {
    if (Data == nullptr)
        return;
    FCopy = CopyOfPage(Page);
    FMerge = std::make_unique<TMergeRun>(*FCopy, *Data);
    FMerge->Check();
    FPrinted = FCopy.get();
}

TPageSheets::~TPageSheets() = default;

std::int64_t TPageSheets::Count() const {
    return FMerge ? FMerge->Sheets() : 1;
}

bool TPageSheets::Next() {
    if (FMerge)
        return FMerge->NextSheet();
    const bool First = FFirst;
    FFirst = false;
    return First;
}
