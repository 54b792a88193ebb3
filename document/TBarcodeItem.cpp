#include "document/TBarcodeItem.h"

#include "document/TReportPage.h"

#include "barcode/TextPaint.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "document/TColors.h"
#include "document/TCustomPrintJob.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cstdlib>

namespace {

bool Upright(const TBarcodeEngine& Engine) {
    return Engine.Angle() != 90 && Engine.Angle() != 270;
}

// A dashed blue frame inside the item and a blue tab at its top right corner: what the item shows
// is a record's, not what it stores.
void PaintRecordMark(QPainter& Canvas, const QRect& Area) {
    if (Area.width() < 8 || Area.height() < 8)
        return;
    const QColor Blue(0, 90, 220);
    Canvas.save();
    QPen Dashed(Blue, 1, Qt::DashLine);
    Canvas.setPen(Dashed);
    Canvas.setBrush(Qt::NoBrush);
    Canvas.drawRect(Area.adjusted(2, 2, -3, -3));
    const int Tab = std::min(9, Area.height() / 3);
    Canvas.setPen(Qt::NoPen);
    Canvas.setBrush(Blue);
    const QPoint Corner = Area.topRight() + QPoint(-2, 2);
    Canvas.drawPolygon(QPolygon({Corner, Corner - QPoint(Tab, 0), Corner + QPoint(0, Tab)}));
    Canvas.restore();
}

} // namespace

TBarcodeItem::TBarcodeItem(QWidget* Owner) : TPrintable(Owner) {
    FBarcode.SetChecksum(true);
    FRatio = FBarcode.Ratio();
    FModul = FBarcode.Modul();
    FBarcodeType = FBarcode.Typ();
    FChecksum = FBarcode.Checksum();
    FCheckSumMethod = FBarcode.CheckSumMethod();
    FColorBar = FBarcode.ColorBar();
    FAngle = ba0;
    FBarcode.SetAngle(0);
    SetWidth(100);
    SetHeight(50);
}

TBarcodeItem::~TBarcodeItem() = default;

template <typename T, typename TApply>
void TBarcodeItem::ChangeSetting(T& Field, T Value, TApply Apply) {
    if (Field == Value)
        return;
    if (!FSettingsDeferred) {
        Apply(Value);
        try {
            FBarcode.ValidateSettings();
        } catch (...) {
            Apply(Field);
            throw;
        }
    }
    Field = Value;
    UpdateShownBarcode();
    Changed();
}

void TBarcodeItem::SetAngle(TBarcodeAngle Value) {
    ChangeSetting(FAngle, Value,
                  [this](TBarcodeAngle A) { FBarcode.SetAngle(BarcodeAngleDegrees[A]); });
}

void TBarcodeItem::SetBarcodeType(TBarcodeType Value) {
    if (FBarcodeType == Value)
        return;
    // The text of one symbology rarely suits another, so it goes either way.
    FBarcodeText.clear();
    if (!FSettingsDeferred) {
        FBarcode.SetTyp(Value);
        FBarcode.SetText({});
        try {
            FBarcode.ValidateSettings();
        } catch (...) {
            FBarcode.SetTyp(FBarcodeType);
            throw;
        }
    }
    FBarcodeType = Value;
    UpdateShownBarcode();
    Changed();
}

void TBarcodeItem::SetBarcodeText(const std::string& Value) {
    ChangeSetting(FBarcodeText, Value, [this](const std::string& S) { FBarcode.SetText(S); });
}

void TBarcodeItem::SetChecksum(bool Value) {
    ChangeSetting(FChecksum, Value, [this](bool B) { FBarcode.SetChecksum(B); });
}

void TBarcodeItem::SetCheckSumMethod(TCheckSumMethod Value) {
    ChangeSetting(FCheckSumMethod, Value,
                  [this](TCheckSumMethod M) { FBarcode.SetCheckSumMethod(M); });
}

void TBarcodeItem::SetModul(std::int32_t Value) {
    ChangeSetting(FModul, Value, [this](std::int32_t M) { FBarcode.SetModul(M); });
}

void TBarcodeItem::SetRatio(double Value) {
    ChangeSetting(FRatio, Value, [this](double R) { FBarcode.SetRatio(R); });
}

void TBarcodeItem::SetColorBar(TColor Value) {
    if (FColorBar == Value)
        return;
    FColorBar = Value;
    FBarcode.SetColorBar(Value);
    UpdateShownBarcode();
    Changed();
}

void TBarcodeItem::SetTitleRow1(const std::string& Value) {
    if (FTitleRow1 == Value)
        return;
    FTitleRow1 = Value;
    Changed();
}

void TBarcodeItem::SetTitleRow2(const std::string& Value) {
    if (FTitleRow2 == Value)
        return;
    FTitleRow2 = Value;
    Changed();
}

void TBarcodeItem::BeginReading() {
    TPrintable::BeginReading();
    FSettingsDeferred = true;
}

void TBarcodeItem::EndReading() {
    if (!FSettingsDeferred)
        return;
    FSettingsDeferred = false;
    // From the stored settings, not from a working text that intermediate states shaped.
    FBarcode.SetTyp(FBarcodeType);
    FBarcode.SetText(FBarcodeText);
    FBarcode.SetChecksum(FChecksum);
    FBarcode.SetCheckSumMethod(FCheckSumMethod);
    FBarcode.SetAngle(BarcodeAngleDegrees[FAngle]);
    FBarcode.SetModul(FModul);
    FBarcode.SetRatio(FRatio);
    FBarcode.SetColorBar(FColorBar);
    FBarcode.ValidateSettings();
    UpdateShownBarcode();
    Changed();
}

void TBarcodeItem::SetShownValues(std::optional<TShownValues> Value) {
    // Most items of most pages show what they store; they are left be.
    if (!Value && !FShown)
        return;
    FShown = std::move(Value);
    UpdateShownBarcode();
    update();
}

std::optional<TShownValues> TBarcodeItem::ShownValues() const {
    if (!FShown)
        return std::nullopt;
    TShownValues Shown = *FShown;
    if (!FShownBarcode)
        Shown.BarcodeText = FBarcodeText;
    return Shown;
}

void TBarcodeItem::UpdateShownBarcode() {
    FShownBarcode.reset();
    if (!FShown || FShown->BarcodeText == FBarcodeText || FSettingsDeferred)
        return;
    TBarcodeEngine Engine = FBarcode;
    Engine.SetText(FShown->BarcodeText);
    // Painting must not fail: a text the symbology rejects is not drawn.
    try {
        Engine.ValidateSettings();
        TBarcodeEngine Trial = Engine;
        Trial.EncodePattern();
    } catch (const TException&) {
        return;
    }
    FShownBarcode = std::move(Engine);
}

int TBarcodeItem::PaintTitleRows(QPainter& Canvas, const QFont& Font, const std::string& Row1,
                                 const std::string& Row2, int Left, int Top, int Right,
                                 int Bottom) const {
    const QFontMetrics Metrics(Font, Canvas.device());
    const TFont ItemFont = TPrintable::Font();
    bool First = true;
    for (const std::string* Row : {&Row1, &Row2}) {
        if ((First || Top < Bottom) && !Row->empty()) {
            Canvas.save();
            Canvas.setClipRect(QRect(Left, Top, Right - Left, Bottom - Top), Qt::IntersectClip);
            Canvas.setFont(Font);
            Canvas.setPen(ToQColor(ItemFont.Color));
            Canvas.setBackgroundMode(Qt::OpaqueMode);
            Canvas.setBackground(ToQColor(Color()));
            PaintText(Canvas, QPoint(Left, Top + Metrics.ascent()), FromCp1252(*Row));
            Canvas.restore();
            Top += Metrics.height() + 1;
        }
        First = false;
    }
    return Top;
}

void TBarcodeItem::PaintInRect(QPainter& Canvas, const QRect& Rect) {
    PaintContent(Canvas, Rect, FBarcode, FTitleRow1, FTitleRow2);
}

void TBarcodeItem::PaintContent(QPainter& Canvas, const QRect& Rect, TBarcodeEngine& Engine,
                                const std::string& Row1, const std::string& Row2) {
    int L = Rect.x();
    int T = Rect.y();
    int R = L + Rect.width();
    const int B = T + Rect.height();
    if (T >= B || L >= R)
        return;
    Canvas.fillRect(QRect(L, T, R - L, B - T), ToQColor(Color()));
    T = PaintTitleRows(Canvas, TPrintable::Font().ToQFont(), Row1, Row2, L, T, R, B);
    if (T >= B)
        return;
    const std::int32_t W = Engine.Width();
    if (!Upright(Engine)) {
        // W pixels long at the bottom of what the title rows leave, across the full width.
        T = B - W;
    } else {
        // W + 2 pixels wide, centred on the item.
        L = (width() - W) / 2 - 2;
        R = L + W + 2;
    }
    Engine.PaintBarcode(Canvas, QRect(L, T, R - L, B - T), true);
}

void TBarcodeItem::Paint(QPainter& Canvas) {
    // While a document is read the engine is not yet in step with the settings; an engine left
    // with settings it rejects (an item whose document failed to read) draws no barcode, since
    // an error must not escape the paint handler.
    if (!Reading()) {
        try {
            const QRect Inside(1, 1, width() - 2, height() - 2);
            if (FShown)
                PaintContent(Canvas, Inside, FShownBarcode ? *FShownBarcode : FBarcode,
                             FShown->TitleRow1, FShown->TitleRow2);
            else
                PaintInRect(Canvas, Inside);
        } catch (const TException&) {
        }
    }
    TPrintable::Paint(Canvas);
    if (FShown)
        PaintRecordMark(Canvas, rect());
}

void TBarcodeItem::resizeEvent(QResizeEvent* Event) {
    TPrintable::resizeEvent(Event);
    update();
}

void TBarcodeItem::PrintAt(long double OffsetX, long double OffsetY) {
    TCustomPrintJob* Job = Printer();
    if (Job == nullptr)
        return;
    QPainter& C = Job->Canvas();
    const TPrintableSize& S = Size();
    const long double SL = S.NativeValue(TPrintableSize::svLeft) + OffsetX;
    const long double ST = S.NativeValue(TPrintableSize::svTop) + OffsetY;
    const long double SW = S.NativeValue(TPrintableSize::svWidth);
    const long double SH = S.NativeValue(TPrintableSize::svHeight);
    int L = Job->DeviceX(SL) + 1;
    int T = Job->DeviceY(ST) + 1;
    int R = Job->DeviceX(SL + SW) - 1;
    const int B = Job->DeviceY(ST + SH) - 1;
    if (L < R && T < B) {
        C.fillRect(QRect(L, T, R - L, B - T), ToQColor(Color()));
        // The same point size as on the screen, in the device's pixels.
        const TFont ItemFont = TPrintable::Font();
        QFont PrintFont = ItemFont.ToQFont();
        const int Points = ItemFont.Height != 0 ? std::abs(ItemFont.Size(S.Resolution())) : 8;
        PrintFont.setPointSize(Points > 0 ? Points : 8);
        T = PaintTitleRows(C, PrintFont, FTitleRow1, FTitleRow2, L, T, R, B);
    }
    // The barcode takes the same share of the item as on the screen, through the item's own
    // pixels per native unit.
    const long double Kx = SW > 0 ? width() / SW : 0;
    const long double Ky = SH > 0 ? height() / SH : 0;
    if (L < R && T < B && Kx > 0 && Ky > 0) {
        // Whole-dot modules may take the item's width beside the symbol, never more.
        const QRect Room(L, T, R - L, B - T);
        const std::int32_t W = FBarcode.Width();
        if (!Upright(FBarcode)) {
            T = B - Job->DeviceHeight(W / Ky);
        } else {
            const int BarWidth = Job->DeviceWidth(W / Kx);
            const int Full = Job->DeviceWidth(SW);
            L += (Full - BarWidth) / 2;
            R = L + BarWidth;
        }
        // On paper equal modules must print equal: each a whole number of the device's dots.
        const TReportPage* Page = ReportPage();
        FBarcode.PaintBarcode(C, QRect(L, T, R - L, B - T), true, mfWholeDots,
                              Page != nullptr ? Page->PrinterSettings().BarWidthReduction : 0,
                              Room);
    }
    TPrintable::PrintAt(OffsetX, OffsetY);
}
