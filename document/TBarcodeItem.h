#pragma once

#include "barcode/TBarcodeEngine.h"
#include "document/TPrintable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The rotation of an item's barcode. The order is stored in document files.
enum TBarcodeAngle : std::uint8_t { ba0, ba90, ba180, ba270 };
inline constexpr std::array<int, 4> BarcodeAngleDegrees = {0, 90, 180, 270};
// As the barcode properties panel lists them.
inline constexpr std::array<std::string_view, 4> BarcodeAngleNames = {"0", "90", "180", "270"};
// As documents store them.
inline constexpr std::array<std::string_view, 4> BarcodeAngleIdents = {"ba0", "ba90", "ba180",
                                                                       "ba270"};
inline constexpr std::array<std::string_view, 2> CheckSumMethodIdents = {"csmNone", "csmModulo10"};

// What the design surface shows of a data merge's record in place of an item's stored values,
// Windows-1252.
struct TShownValues {
    std::string BarcodeText;
    std::string TitleRow1;
    std::string TitleRow2;
};

// A barcode with two title rows above it. The item keeps the settings as they were set (what a
// document stores); its engine keeps the working copy, which encoding may normalise.
//
// Every barcode setting is validated by the engine when it is set; a rejected value leaves the
// item and the engine as they were and the error travels on. While a document is read
// (BeginReading to EndReading) the settings are only stored, and EndReading hands them all to the
// engine and validates them once, so that what was saved reads back as it was.
class TBarcodeItem : public TPrintable {
    Q_OBJECT

public:
    explicit TBarcodeItem(QWidget* Owner = nullptr);
    ~TBarcodeItem() override;

    TBarcodeAngle Angle() const { return FAngle; }
    void SetAngle(TBarcodeAngle Value);
    TBarcodeType BarcodeType() const { return FBarcodeType; }
    // Clears BarcodeText, also when the engine rejects the new type.
    void SetBarcodeType(TBarcodeType Value);
    // Windows-1252.
    const std::string& BarcodeText() const { return FBarcodeText; }
    void SetBarcodeText(const std::string& Value);
    bool Checksum() const { return FChecksum; }
    void SetChecksum(bool Value);
    TCheckSumMethod CheckSumMethod() const { return FCheckSumMethod; }
    void SetCheckSumMethod(TCheckSumMethod Value);
    TColor ColorBar() const { return FColorBar; }
    void SetColorBar(TColor Value);
    std::int32_t Modul() const { return FModul; }
    void SetModul(std::int32_t Value);
    // The value as set, even where the engine keeps a clamped copy.
    double Ratio() const { return FRatio; }
    void SetRatio(double Value);
    // The data merge's column whose value becomes the barcode text ("#": the record number).
    const QString& DataField() const { return FDataField; }
    void SetDataField(const QString& Value) { FDataField = Value; }
    // Windows-1252.
    const std::string& TitleRow1() const { return FTitleRow1; }
    void SetTitleRow1(const std::string& Value);
    const std::string& TitleRow2() const { return FTitleRow2; }
    void SetTitleRow2(const std::string& Value);

    const TBarcodeEngine& Barcode() const { return FBarcode; }

    // Values only the screen shows, marked as a record's; nullopt shows the stored ones. The stored
    // settings, printing and the clipboard never see them. A barcode text the symbology rejects
    // shows the stored one.
    void SetShownValues(std::optional<TShownValues> Value);
    // What the screen shows while values are set: the barcode text is the stored one where the
    // symbology rejected the record's.
    std::optional<TShownValues> ShownValues() const;

    // Background, title rows and barcode in Rect, whose right and bottom edges are x + width and
    // y + height. The barcode is centred on the item's own width.
    void PaintInRect(QPainter& Canvas, const QRect& Rect);
    void PrintAt(long double OffsetX, long double OffsetY) override;

    void BeginReading() override;
    // Brings the engine in step with the stored settings and validates them; the engine's error
    // travels on.
    void EndReading() override;

protected:
    void Paint(QPainter& Canvas) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    // Sets one validated setting: Apply writes a value into the engine.
    template <typename T, typename TApply> void ChangeSetting(T& Field, T Value, TApply Apply);
    // Title rows from Top down, clipped to the rectangle; returns the new top.
    int PaintTitleRows(QPainter& Canvas, const QFont& Font, const std::string& Row1,
                       const std::string& Row2, int Left, int Top, int Right, int Bottom) const;
    void PaintContent(QPainter& Canvas, const QRect& Rect, TBarcodeEngine& Engine,
                      const std::string& Row1, const std::string& Row2);
    // The engine that draws the shown barcode text, from the stored settings as they now are.
    void UpdateShownBarcode();

    TBarcodeEngine FBarcode;
    bool FSettingsDeferred = false;
    TBarcodeAngle FAngle = ba0;
    TBarcodeType FBarcodeType = bcCodeEAN13;
    std::string FBarcodeText;
    bool FChecksum = true;
    TCheckSumMethod FCheckSumMethod = csmModulo10;
    TColor FColorBar = clBlack;
    std::int32_t FModul = 1;
    double FRatio = 2.0;
    std::string FTitleRow1;
    QString FDataField;
    std::string FTitleRow2;
    std::optional<TShownValues> FShown;
    std::optional<TBarcodeEngine> FShownBarcode;
};
