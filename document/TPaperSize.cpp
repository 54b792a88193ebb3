#include "document/TPaperSize.h"

#include <cmath>

std::string_view PaperSizeName(TPaperSize Value) {
    const auto Index = static_cast<std::size_t>(Value);
    return Index < PaperSizeCount ? PaperTable[Index].Name : std::string_view{};
}

TPaperSize PaperSizeFromCode(int Code) {
    const TPaperRow* Row = FindCode(PaperTable, &TPaperRow::Code, Code);
    return Row != nullptr ? Row->Paper : TPaperSize::Default;
}

TPaperSize PaperSizeOfDimensions(long double Width, long double Length) {
    for (const TPaperRow& Row : PaperTable)
        if (IsNamedPaperSize(Row.Paper) && std::abs(Row.Dimensions.Width - Width) <= 0.5L &&
            std::abs(Row.Dimensions.Length - Length) <= 0.5L)
            return Row.Paper;
    return TPaperSize::Default;
}
