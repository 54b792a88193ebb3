#include "document/TPageChange.h"

#include "document/TPrintable.h"
#include "document/TReportPage.h"

#include <algorithm>

namespace {

using TRecords = std::vector<std::string>;

TRecords Slice(const TRecords& Items, std::size_t From, std::size_t To) {
    return {Items.begin() + static_cast<std::ptrdiff_t>(From),
            Items.begin() + static_cast<std::ptrdiff_t>(To)};
}

} // namespace

std::optional<TPageChange> TPageChange::Between(const TPageRecords& Before,
                                                const TPageRecords& After) {
    TPageChange Change;
    if (Before.Head != After.Head) {
        Change.FHeadBefore = Before.Head;
        Change.FHeadAfter = After.Head;
    }
    const TRecords& Old = Before.Items;
    const TRecords& New = After.Items;
    if (Old.size() == New.size()) {
        // Items edited in place: one run per stretch of changed records, so that moving two
        // items far apart keeps two records each and not everything between them.
        for (std::size_t I = 0; I < Old.size();) {
            if (Old[I] == New[I]) {
                ++I;
                continue;
            }
            std::size_t End = I;
            while (End < Old.size() && Old[End] != New[End])
                ++End;
            Change.FRuns.push_back({I, Slice(Old, I, End), Slice(New, I, End)});
            I = End;
        }
    } else {
        // Items added or taken away: one run between what both begin and end with.
        std::size_t Front = 0;
        while (Front < Old.size() && Front < New.size() && Old[Front] == New[Front])
            ++Front;
        std::size_t Back = 0;
        while (Back < Old.size() - Front && Back < New.size() - Front &&
               Old[Old.size() - 1 - Back] == New[New.size() - 1 - Back])
            ++Back;
        Change.FRuns.push_back(
            {Front, Slice(Old, Front, Old.size() - Back), Slice(New, Front, New.size() - Back)});
    }
    if (!Change.FHeadBefore && Change.FRuns.empty())
        return std::nullopt;
    return Change;
}

void TPageChange::ApplyTo(TPageRecords& Records, bool Forward) const {
    if (FHeadBefore)
        Records.Head = Forward ? *FHeadAfter : *FHeadBefore;
    // From the last run back, so that the positions of the others still hold.
    for (auto Run = FRuns.rbegin(); Run != FRuns.rend(); ++Run) {
        const TRecords& From = Forward ? Run->Before : Run->After;
        const TRecords& To = Forward ? Run->After : Run->Before;
        const auto At = Records.Items.begin() + static_cast<std::ptrdiff_t>(Run->Position);
        Records.Items.insert(Records.Items.erase(At, At + static_cast<std::ptrdiff_t>(From.size())),
                             To.begin(), To.end());
    }
}

std::vector<TPrintable*> TPageChange::ApplyTo(TReportPage& Page, bool Forward) const {
    if (FHeadBefore)
        ReadPageHead(Forward ? *FHeadAfter : *FHeadBefore, Page);
    std::vector<TPrintable*> Read;
    for (auto Run = FRuns.rbegin(); Run != FRuns.rend(); ++Run) {
        const TRecords& From = Forward ? Run->Before : Run->After;
        const TRecords& To = Forward ? Run->After : Run->Before;
        const std::vector<TPrintable*> Items = PageItems(Page);
        for (std::size_t I = 0; I < From.size(); ++I)
            delete Items.at(Run->Position + I);
        std::vector<TPrintable*> Placed;
        for (std::size_t I = 0; I < To.size(); ++I)
            Placed.push_back(&InsertItemRecord(Page, To[I], Run->Position + I));
        Read.insert(Read.begin(), Placed.begin(), Placed.end());
    }
    return Read;
}

std::vector<std::size_t> TPageChange::Positions() const {
    std::vector<std::size_t> Result;
    for (const TRun& Run : FRuns)
        for (std::size_t I = 0; I < std::max(Run.Before.size(), Run.After.size()); ++I)
            Result.push_back(Run.Position + I);
    return Result;
}
