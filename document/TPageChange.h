#pragma once

#include "document/DocumentStream.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class TPrintable;
class TReportPage;

// What one edit changed on a page, as stored records: the page's own record when that changed,
// and runs of item records that took the place of others. An edit touches a few items of a
// large page, so keeping and putting back only those makes undo cheap.
class TPageChange {
public:
    // Nothing when the two are the same.
    static std::optional<TPageChange> Between(const TPageRecords& Before,
                                              const TPageRecords& After);

    // Makes the change (Forward) or takes it back, on records of the page as it stands.
    void ApplyTo(TPageRecords& Records, bool Forward) const;
    // The same on the page itself; returns the items it read in, in stacking order.
    std::vector<TPrintable*> ApplyTo(TReportPage& Page, bool Forward) const;

    // The stacking positions of the items the change touches, before it and after it.
    std::vector<std::size_t> Positions() const;

private:
    struct TRun {
        std::size_t Position = 0;
        std::vector<std::string> Before;
        std::vector<std::string> After;
    };
    std::optional<std::string> FHeadBefore;
    std::optional<std::string> FHeadAfter;
    // In ascending order and apart.
    std::vector<TRun> FRuns;
};
