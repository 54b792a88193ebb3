#include "document/TPaperSize.h"

#include <algorithm>

std::string_view PaperSizeName(TPaperSize Value) {
    const auto Index = static_cast<std::size_t>(Value);
    return Index < PaperSizeCount ? PaperSizeNames[Index] : std::string_view{};
}

TPaperSize PaperSizeFromCode(int Code) {
    const auto Found = std::find(PaperCodes.begin(), PaperCodes.end(), Code);
    if (Found == PaperCodes.end())
        return TPaperSize::Default;
    return static_cast<TPaperSize>(Found - PaperCodes.begin());
}
