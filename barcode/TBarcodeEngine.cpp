#include "barcode/TBarcodeEngine.h"

#include "common/Messages.h"
#include "common/TException.h"

#include <cmath>

bool BarcodeTypeFromName(std::string_view Name, TBarcodeType& Type) {
    for (std::size_t I = 0; I < BarcodeTypeTable.size(); ++I)
        if (Name == BarcodeTypeTable[I].Name) {
            Type = static_cast<TBarcodeType>(I);
            return true;
        }
    return false;
}

void TBarcodeEngine::Assign(const TBarcodeEngine& Source) {
    if (&Source == this)
        return;
    FHeight = Source.FHeight;
    FText = Source.FText;
    FModul = Source.FModul;
    FRatio = Source.FRatio;
    FTyp = Source.FTyp;
    FChecksum = Source.FChecksum;
    FAngle = Source.FAngle;
    FColor = Source.FColor;
    FColorBar = Source.FColorBar;
    FCheckSumMethod = Source.FCheckSumMethod;
}

namespace {

// Widths are kept in signed 8 bits, as stored documents expect; values out of range wrap. A
// product too large for an integer (or not a number) counts as 0 rather than being undefined.
std::int8_t LowByte(long long Value) {
    return static_cast<std::int8_t>(static_cast<std::uint8_t>(Value & 0xFF));
}

long long RoundedProduct(double Value) {
    if (!std::isfinite(Value) || std::fabs(Value) > 1e15)
        return 0;
    return std::llrint(Value); // halves to even in the default rounding mode
}

} // namespace

void TBarcodeEngine::ComputeModuleWidths() {
    const TBCdata& Data = BarcodeTypeTable[FTyp];
    if (Data.RatioMin != 0 || Data.RatioMax != 0) {
        if (FRatio < Data.RatioMin)
            FRatio = Data.RatioMin;
        else if (FRatio > Data.RatioMax)
            FRatio = Data.RatioMax;
    }
    FModules[0] = LowByte(FModul);
    FModules[1] = LowByte(RoundedProduct(static_cast<double>(FModul) * FRatio));
    FModules[2] = LowByte(3 * FModules[1] / 2);
    FModules[3] = LowByte(2 * FModules[1]);
}

std::string TBarcodeEngine::EncodePattern() {
    if (FTyp >= BarcodeTypeCount)
        Raise(Msg::InternalError, {"TBarcodeEngine"});
    ComputeModuleWidths();
    const TBCdata& Data = BarcodeTypeTable[FTyp];
    if (Data.NumericOnly) {
        const auto Blank = [](char Ch) { return static_cast<unsigned char>(Ch) <= 32; };
        std::size_t End = FText.size();
        while (End > 0 && Blank(FText[End - 1]))
            --End;
        std::size_t Begin = 0;
        while (Begin < End && Blank(FText[Begin]))
            ++Begin;
        // In place, so that a text that needs no trimming costs nothing.
        FText.erase(End);
        FText.erase(0, Begin);
        for (const char Ch : FText)
            if (Ch < '0' || Ch > '9')
                Raise(Msg::BarcodeMustBeNumeric);
    }
    return Data.Encoder(*this);
}

void TBarcodeEngine::ValidateSettings() {
    EncodePattern();
}

std::int32_t TBarcodeEngine::Width() {
    return PatternWidth(EncodePattern());
}

std::int32_t TBarcodeEngine::PatternWidth(std::string_view Pattern) const {
    std::int32_t Sum = 0;
    for (const char Ch : Pattern)
        Sum += DecodeElement(Ch).Width;
    return Sum;
}

TElement TBarcodeEngine::DecodeElement(char Ch) const {
    if (Ch >= '0' && Ch <= '3')
        return {FModules[static_cast<std::size_t>(Ch - '0')], ekSpace};
    if (Ch >= '5' && Ch <= '8')
        return {FModules[static_cast<std::size_t>(Ch - '5')], ekBar};
    if (Ch >= 'A' && Ch <= 'D')
        return {FModules[static_cast<std::size_t>(Ch - 'A')], ekShortBar};
    Raise(Msg::InternalError, {"TBarcodeEngine"});
}
