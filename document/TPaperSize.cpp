#include "document/TPaperSize.h"

std::string_view PaperSizeName(TPaperSize Value) {
    const auto Index = static_cast<std::size_t>(Value);
    return Index < PaperSizeCount ? PaperTable[Index].Name : std::string_view{};
}

TPaperSize PaperSizeFromCode(int Code) {
    const TPaperRow* Row = FindCode(PaperTable, &TPaperRow::Code, Code);
    return Row != nullptr ? Row->Paper : TPaperSize::Default;
}
