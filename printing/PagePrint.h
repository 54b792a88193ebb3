#pragma once

#include "document/TUnitBase.h"

#include <cstdint>
#include <functional>
#include <memory>

class TCustomPrintJob;
class TDataSource;
class TMergeRun;
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

// The sheets a run prints: the page itself once, or, with Data, a copy of it that a data merge
// fills sheet after sheet. Every record is tried as this is made, before anything is drawn.
class TPageSheets {
public:
    TPageSheets(TReportPage& Page, TDataSource* Data);
    ~TPageSheets();
    TPageSheets(const TPageSheets&) = delete;
    TPageSheets& operator=(const TPageSheets&) = delete;

    // The page to draw for the current sheet.
    TReportPage& Printed() const { return *FPrinted; }
    std::int64_t Count() const;
    // On to the next sheet (the first, at the start); false when there is none.
    bool Next();

private:
    TReportPage* FPrinted;
    std::unique_ptr<TReportPage> FCopy;
    std::unique_ptr<TMergeRun> FMerge;
    bool FFirst = true;
};
