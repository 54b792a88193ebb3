#include "printing/PagePrint.h"

#include "document/TCustomPrintJob.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"

#include <QRect>

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

void PrintPageContent(TReportPage& Page, TCustomPrintJob& Job) {
    // Child order is stacking order: later items print over earlier ones, as on the screen.
    for (QObject* Child : Page.children())
        if (auto* Item = qobject_cast<TPrintable*>(Child))
            Item->PrintAt(0, 0);
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
