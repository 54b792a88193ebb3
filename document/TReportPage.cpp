#include "document/TReportPage.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/PrinterPaper.h"
#include "document/SystemFacts.h"
#include "document/TPrintable.h"

#include <QGuiApplication>
#include <QPainter>
#include <QResizeEvent>

#include <string>
#include <utility>

const TFunctionList::TFunction& TFunctionList::Item(std::size_t Index) const {
    if (Index >= FItems.size())
        Raise(Msg::ListIndexOutOfBounds, {std::to_string(Index)});
    return FItems[Index];
}

void TFunctionList::Add(std::string Name, std::string Expression) {
    FItems.push_back({std::move(Name), std::move(Expression)});
}

void TFunctionList::SetExpression(std::size_t Index, std::string Expression) {
    if (Index >= FItems.size())
        Raise(Msg::ListIndexOutOfBounds, {std::to_string(Index)});
    FItems[Index].Expression = std::move(Expression);
}

TReportPage::TReportPage(QWidget* Parent) : QWidget(Parent), FKnownSize(size()) {
    FFunctions.Add("PAGENUMBER", "0");
    FFunctions.Add("COLUMNNUMBER", "0");
    FFunctions.Add("REPORTTITLE", "''");
    FPage = std::make_unique<TPageGeometry>(this);

    QPalette White = palette();
    White.setColor(QPalette::Window, Qt::white);
    setPalette(White);
    setAutoFillBackground(true);
    move(0, 0);
    FSnapToGrid = true;
    FShowProgress = true;
    FPrevShowSearch = true;
    FPrevShowThumbs = true;
    FOptions = {TReportOption::FirstPageHeader, TReportOption::LastPageFooter};

    const TSystemFacts Facts = SystemFacts();
    if (!Facts.JapaneseLanguage) {
        TFont Arial;
        Arial.Name = QStringLiteral("Arial");
        Arial.SetSize(10, FPage->Resolution());
        SetFont(Arial);
    } else {
        // The framework's default font, which the document then does not carry.
        const QFont Default =
            QGuiApplication::instance() != nullptr ? QGuiApplication::font() : QFont();
        FFont.Name = Default.family();
        FFont.SetSize(Default.pointSize() > 0 ? Default.pointSize() : 8, FPage->Resolution());
    }

    FPage->SetPaperSize(DefaultPrinterPaper());
}

TReportPage::~TReportPage() {
    // Items go while the page is still whole, since they reach into its geometry.
    const QList<QWidget*> Items = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* Item : Items)
        delete Item;
}

void TReportPage::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    setGeometry(ALeft, ATop, AWidth, AHeight);
    SizeChanged(size());
}

void TReportPage::SizeChanged(QSize NewSize) {
    if (NewSize != FKnownSize) {
        FKnownSize = NewSize;
        // While the geometry is being built it cannot take values back.
        if (FPage != nullptr && !FPage->Updating() && FPage->PaperSize() == TPaperSize::Custom) {
            FPage->SetUpdating(true);
            FPage->BeginPixelUnits();
            FPage->SetPageValue(TPageGeometry::pvWidth, NewSize.width());
            FPage->SetPageValue(TPageGeometry::pvLength, NewSize.height());
            FPage->RestoreUnits();
            FPage->SetUpdating(false);
        }
    }
    LayoutBands();
}

void TReportPage::resizeEvent(QResizeEvent* Event) {
    QWidget::resizeEvent(Event);
    SizeChanged(Event->size());
}

void TReportPage::paintEvent(QPaintEvent* Event) {
    QWidget::paintEvent(Event);
    QPainter Painter(this);
    Painter.fillRect(rect(), Qt::white);
}

void TReportPage::SetUnits(TPageUnit Value) {
    FPage->SetUnits(Value);
    ApplyUnitsToItems(Value);
}

void TReportPage::SetZoom(std::int32_t Value) {
    if (Value <= 0 || Value > 300)
        return;
    FZoom = Value;
    ApplyZoomToItems(Value);
    FPage->SetZoom(Value);
    FPage->ApplyToControl();
    LayoutBands();
}

void TReportPage::SetFont(const TFont& Value) {
    FFont = Value;
    FFontIsOwn = true;
    update();
}

void TReportPage::Loaded() {
    FLoading = false;
    LayoutBands();
}

// Each item placed directly on the page sets its size object's unit, or its zoom and then
// re-applies its bounds.
void TReportPage::ApplyUnitsToItems(TPageUnit Value) {
    for (TPrintable* Item : findChildren<TPrintable*>(Qt::FindDirectChildrenOnly))
        Item->Size().SetUnits(Value);
}

void TReportPage::ApplyZoomToItems(std::int32_t Value) {
    for (TPrintable* Item : findChildren<TPrintable*>(Qt::FindDirectChildrenOnly))
        Item->SetZoom(Value);
}
