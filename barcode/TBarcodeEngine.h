#pragma once

#include <QRect>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class QPainter;

// 32-bit colour, red in the low byte.
using TColor = std::int32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;

// The order is stored in document files.
enum TBarcodeType : std::uint8_t {
    bcCode_2_5_interleaved,
    bcCode_2_5_industrial,
    bcCode_2_5_matrix,
    bcCode39,
    bcCode39Extended,
    bcCode128A,
    bcCode128B,
    bcCode128C,
    bcCode93,
    bcCode93Extended,
    bcCodeMSI,
    bcCodePostNet,
    bcCodeCodabar,
    bcCodeEAN8,
    bcCodeEAN13,
    bcCodeUPC_A,
    bcCodeUPC_E0,
    bcCodeUPC_E1,
    bcCodeUPC_Supp2,
    bcCodeUPC_Supp5,
    bcCodeEAN128A,
    bcCodeEAN128B,
    bcCodeEAN128C,
};
inline constexpr std::size_t BarcodeTypeCount = 23;

enum TCheckSumMethod : std::uint8_t { csmNone, csmModulo10 };

enum TElementKind : std::uint8_t { ekSpace, ekBar, ekShortBar };
// How the modules meet the device: stretched to fill the rectangle exactly (the design surface's
// layout), or a whole number of the device's dots each, so that equal modules print equal.
enum TModuleFit : std::uint8_t { mfStretch, mfWholeDots };

struct TElement {
    int Width;
    TElementKind Kind;
};

class TBarcodeEngine;
using TEncoder = std::string (*)(TBarcodeEngine&);

// One encoder per symbology; each family lives in a file of its own.
std::string EncodeInterleaved2of5(TBarcodeEngine& E);
std::string EncodeIndustrial2of5(TBarcodeEngine& E);
std::string EncodeMatrix2of5(TBarcodeEngine& E);
std::string EncodeCode39(TBarcodeEngine& E);
std::string EncodeCode39Extended(TBarcodeEngine& E);
std::string EncodeCodabar(TBarcodeEngine& E);
std::string EncodeMSI(TBarcodeEngine& E);
std::string EncodePostNet(TBarcodeEngine& E);
std::string EncodeCode128(TBarcodeEngine& E);
std::string EncodeCode93(TBarcodeEngine& E);
std::string EncodeCode93Extended(TBarcodeEngine& E);
std::string EncodeEAN8(TBarcodeEngine& E);
std::string EncodeEAN13(TBarcodeEngine& E);
std::string EncodeUPCA(TBarcodeEngine& E);
std::string EncodeUPCE0(TBarcodeEngine& E);
std::string EncodeUPCE1(TBarcodeEngine& E);
std::string EncodeUPCSupp2(TBarcodeEngine& E);
std::string EncodeUPCSupp5(TBarcodeEngine& E);

struct TBCdata {
    const char* DisplayName; // shown by the barcode properties panel
    bool NumericOnly;
    const char* Name; // the enumeration value's name, as documents store it
    double RatioMin;  // Ratio is kept within RatioMin..RatioMax; 0..0 leaves it alone
    double RatioMax;
    TEncoder Encoder;
};

// The symbology table, indexed by TBarcodeType.
inline constexpr std::array<TBCdata, BarcodeTypeCount> BarcodeTypeTable = {{
    {"2_5_interleaved", true, "bcCode_2_5_interleaved", 2.0, 3.0, EncodeInterleaved2of5},
    {"2_5_industrial", true, "bcCode_2_5_industrial", 2.0, 3.0, EncodeIndustrial2of5},
    {"2_5_matrix", true, "bcCode_2_5_matrix", 2.25, 3.0, EncodeMatrix2of5},
    {"Code39", false, "bcCode39", 2.0, 3.0, EncodeCode39},
    {"Code39 Extended", false, "bcCode39Extended", 2.0, 3.0, EncodeCode39Extended},
    {"Code128A", false, "bcCode128A", 0, 0, EncodeCode128},
    {"Code128B", false, "bcCode128B", 0, 0, EncodeCode128},
    {"Code128C", false, "bcCode128C", 0, 0, EncodeCode128},
    {"Code93", false, "bcCode93", 0, 0, EncodeCode93},
    {"Code93 Extended", false, "bcCode93Extended", 0, 0, EncodeCode93Extended},
    {"MSI", true, "bcCodeMSI", 0, 0, EncodeMSI},
    {"PostNet", true, "bcCodePostNet", 0, 0, EncodePostNet},
    {"Codebar", false, "bcCodeCodabar", 2.0, 3.0, EncodeCodabar},
    {"EAN8", true, "bcCodeEAN8", 2.0, 3.0, EncodeEAN8},
    {"EAN13", true, "bcCodeEAN13", 2.0, 3.0, EncodeEAN13},
    {"UPC_A", true, "bcCodeUPC_A", 2.0, 3.0, EncodeUPCA},
    {"UPC_E0", true, "bcCodeUPC_E0", 2.0, 3.0, EncodeUPCE0},
    {"UPC_E1", true, "bcCodeUPC_E1", 2.0, 3.0, EncodeUPCE1},
    {"UPC Supp2", true, "bcCodeUPC_Supp2", 2.0, 3.0, EncodeUPCSupp2},
    {"UPC Supp5", true, "bcCodeUPC_Supp5", 2.0, 3.0, EncodeUPCSupp5},
    {"EAN128A", false, "bcCodeEAN128A", 0, 0, EncodeCode128},
    {"EAN128B", false, "bcCodeEAN128B", 0, 0, EncodeCode128},
    {"EAN128C", true, "bcCodeEAN128C", 0, 0, EncodeCode128},
}};

// Looks a TBarcodeType up by its stored name ("bcCodeEAN13"); false when there is none.
bool BarcodeTypeFromName(std::string_view Name, TBarcodeType& Type);

class TBarcodeEngine {
public:
    TBarcodeEngine() = default;
    void Assign(const TBarcodeEngine& Source);

    // Settings. Text is Windows-1252.
    const std::string& Text() const { return FText; }
    void SetText(std::string Value) { FText = std::move(Value); }
    std::int32_t Modul() const { return FModul; }
    void SetModul(std::int32_t Value) { FModul = Value; }
    double Ratio() const { return FRatio; }
    void SetRatio(double Value) { FRatio = Value; }
    TBarcodeType Typ() const { return FTyp; }
    void SetTyp(TBarcodeType Value) { FTyp = Value; }
    bool Checksum() const { return FChecksum; }
    void SetChecksum(bool Value) { FChecksum = Value; }
    TCheckSumMethod CheckSumMethod() const { return FCheckSumMethod; }
    void SetCheckSumMethod(TCheckSumMethod Value) { FCheckSumMethod = Value; }
    double Angle() const { return FAngle; }
    void SetAngle(double Value) { FAngle = Value; }
    std::int32_t Height() const { return FHeight; }
    void SetHeight(std::int32_t Value) { FHeight = Value; }
    TColor Color() const { return FColor; }
    void SetColor(TColor Value) { FColor = Value; }
    TColor ColorBar() const { return FColorBar; }
    void SetColorBar(TColor Value) { FColorBar = Value; }

    // Encodes anew on every call.
    std::int32_t Width();
    std::string EncodePattern();
    void ValidateSettings();
    const std::array<std::int8_t, 4>& ModuleWidths() const { return FModules; }

    // Draws the barcode stretched into Rect; angles other than 0, 90, 180 and 270 are taken to the
    // nearest quarter turn. A pattern of no positive width (Modul 0) or an empty Rect draws
    // nothing. With mfWholeDots the drawing unit along the bars becomes the nearest whole number
    // of the painter's device dots where the symbol then fits Room (Rect when null), else the
    // largest that fits, at least one; the symbol's edges lie on the dot grid and its middle
    // where it was, and it never reaches past Room. The bars' height and the text's size stay
    // as Rect gives them. There, each bar also gives BarReduction dots (keeping at least one) to
    // the space after it, so that the symbol's length stays.
    void PaintBarcode(QPainter& Canvas, const QRect& Rect, bool ShowText,
                      TModuleFit Fit = mfStretch, std::int32_t BarReduction = 0,
                      const QRect& Room = {});

    // Helpers shared by the encoders.
    std::string ApplyCheckDigit(std::string_view S) const;
    static std::string Modulo10CheckDigit(std::string_view S);
    static std::string AddOnCheckDigit(std::string_view S);
    std::string PadLeftZeros(std::size_t N) const;
    std::string PadRightZeros(std::size_t N) const;
    static std::string WidthsToPattern(std::string_view S);
    static int DigitSum(int N);
    TElement DecodeElement(char Ch) const;
    // The summed element widths of a pattern this engine produced.
    std::int32_t PatternWidth(std::string_view Pattern) const;

private:
    void ComputeModuleWidths();

    std::string FText;
    std::int32_t FModul = 1;
    double FRatio = 2.0;
    TBarcodeType FTyp = bcCodeEAN13;
    bool FChecksum = false;
    TCheckSumMethod FCheckSumMethod = csmModulo10;
    double FAngle = 0;
    std::int32_t FHeight = 0;
    TColor FColor = clWhite;
    TColor FColorBar = clBlack;
    std::array<std::int8_t, 4> FModules{};
};
