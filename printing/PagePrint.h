#pragma once

#include "document/TUnitBase.h"

#include <functional>

class TCustomPrintJob;
class TReportPage;

// One print run of a page: the page and its items switch to native units and the items take the
// job as their printer; everything is put back when the run goes, also after an error.
class TPrintRun {
public:
    TPrintRun(TReportPage& Page, TCustomPrintJob& Job);
    ~TPrintRun();
    TPrintRun(const TPrintRun&) = delete;
    TPrintRun& operator=(const TPrintRun&) = delete;

private:
    TReportPage& FPage;
    TPageUnit FUnits;
};

// Told after each item of a pass how many of how many items are done; false stops the pass.
using TItemPrinted = std::function<bool(int Done, int Count)>;

// The end-of-page pass: every printable item on the page draws itself at its place on the job's
// canvas, in the page's child order, then the page's frame is drawn between the margins.
void PrintPageContent(TReportPage& Page, TCustomPrintJob& Job, const TItemPrinted& OnItem = {});

// One whole run of the page on the job: TPrintRun around PrintPageContent.
void RunPagePrint(TReportPage& Page, TCustomPrintJob& Job);
