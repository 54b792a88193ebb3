#include "barcode/EncoderHelpers.h"
#include "barcode/TBarcodeEngine.h"

namespace Encoders {

int WeightedDigitSum(std::string_view S, int Last, int Other) {
    // Converted left to right, so the first bad character is the one named.
    int Sum = 0;
    bool IsLast = S.size() % 2 != 0;
    for (const char Ch : S) {
        if (Ch < '0' || Ch > '9')
            Raise(Msg::NotAValidInteger, {std::string_view(&Ch, 1)});
        Sum += (Ch - '0') * (IsLast ? Last : Other);
        IsLast = !IsLast;
    }
    return Sum;
}

char Modulo10Digit(std::string_view S) {
    const int R = WeightedDigitSum(S, 3, 1) % 10;
    return static_cast<char>('0' + (R == 0 ? 0 : 10 - R));
}

std::string CharForMessage(char Ch) {
    const auto Code = static_cast<unsigned char>(Ch);
    if (Code < 32 || Code == 127) {
        // Two steps: GCC 12 at -O3 warns falsely (-Wrestrict) on "#" + std::to_string(...).
        std::string Result = "#";
        Result += std::to_string(Code);
        return Result;
    }
    return std::string(1, Ch);
}

} // namespace Encoders

std::string TBarcodeEngine::ApplyCheckDigit(std::string_view S) const {
    std::string Result(S);
    if (FCheckSumMethod == csmModulo10)
        Result += Encoders::Modulo10Digit(S);
    return Result;
}

std::string TBarcodeEngine::Modulo10CheckDigit(std::string_view S) {
    std::string Result;
    Result.reserve(S.size() + 1);
    Result = S;
    Result += Encoders::Modulo10Digit(S);
    return Result;
}

std::string TBarcodeEngine::AddOnCheckDigit(std::string_view S) {
    const std::string_view Kept = S.empty() ? S : S.substr(0, S.size() - 1);
    const int Sum = Encoders::WeightedDigitSum(Kept, 3, 9);
    std::string Result;
    Result.reserve(S.size());
    Result = Kept;
    Result += static_cast<char>('0' + Sum % 10);
    return Result;
}

std::string TBarcodeEngine::PadLeftZeros(std::size_t N) const {
    if (FText.size() >= N)
        return FText;
    std::string Result(N - FText.size(), '0');
    Result += FText;
    return Result;
}

std::string TBarcodeEngine::PadRightZeros(std::size_t N) const {
    std::string Result = FText;
    if (Result.size() < N)
        Result.append(N - Result.size(), '0');
    return Result;
}

std::string TBarcodeEngine::WidthsToPattern(std::string_view S) {
    std::string Result(S);
    bool Bar = true;
    for (char& Ch : Result) {
        if (Ch < '1' || Ch > '4')
            Raise(Msg::InternalError, {"TBarcodeEngine"});
        Ch = Encoders::WidthToPattern(Ch, Bar);
        Bar = !Bar;
    }
    return Result;
}

int TBarcodeEngine::DigitSum(int N) {
    int Sum = 0;
    for (; N > 0; N /= 10)
        Sum += N % 10;
    return Sum;
}
