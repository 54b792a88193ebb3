#pragma once

#include "document/TFont.h"
#include "document/TPageGeometry.h"
#include "document/TPagePrinterSettings.h"
#include "document/TPrintFrame.h"
#include "document/TSet.h"

#include <QString>
#include <QWidget>

class QPainter;

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

enum class TReportOption : std::uint8_t { FirstPageHeader, LastPageFooter };
using TReportOptions = TSet<TReportOption>;
inline constexpr std::array<std::string_view, 2> ReportOptionNames = {"FirstPageHeader",
                                                                      "LastPageFooter"};

// Preview window settings; the page only carries them for its document.
enum TFormStyle : std::uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
inline constexpr std::array<std::string_view, 4> FormStyleNames = {"fsNormal", "fsMDIChild",
                                                                   "fsMDIForm", "fsStayOnTop"};
enum TWindowState : std::uint8_t { wsNormal, wsMinimized, wsMaximized };
inline constexpr std::array<std::string_view, 3> WindowStateNames = {"wsNormal", "wsMinimized",
                                                                     "wsMaximized"};
enum TQRZoomState : std::uint8_t { qrZoomToFit, qrZoomToWidth, qrZoomOther };
inline constexpr std::array<std::string_view, 3> ZoomStateNames = {"qrZoomToFit", "qrZoomToWidth",
                                                                   "qrZoomOther"};

enum THelpType : std::uint8_t { htKeyword, htContext };

// How a data merge spends its records: one per sheet (a roll of labels, every bound item and
// title from the same record), or one per bound item, sheet after sheet.
enum TMergeMode : std::uint8_t { mmRecordPerPage, mmRecordPerItem };
inline constexpr std::array<std::string_view, 2> MergeModeNames = {"mmRecordPerPage",
                                                                   "mmRecordPerItem"};

// The control properties the page and its items carry for the document file, and nothing else uses.
class TControlProperties {
public:
    std::int32_t Tag() const { return FTag; }
    void SetTag(std::int32_t Value) { FTag = Value; }
    std::int32_t Cursor() const { return FCursor; }
    void SetCursor(std::int32_t Value) { FCursor = Value; }
    const QString& Hint() const { return FHint; }
    void SetHint(const QString& Value) { FHint = Value; }
    THelpType HelpType() const { return FHelpType; }
    void SetHelpType(THelpType Value) { FHelpType = Value; }
    const QString& HelpKeyword() const { return FHelpKeyword; }
    void SetHelpKeyword(const QString& Value) { FHelpKeyword = Value; }
    std::int32_t HelpContext() const { return FHelpContext; }
    void SetHelpContext(std::int32_t Value) { FHelpContext = Value; }

private:
    std::int32_t FTag = 0;
    std::int32_t FCursor = 0;
    QString FHint;
    THelpType FHelpType = htContext;
    QString FHelpKeyword;
    std::int32_t FHelpContext = 0;
};
inline constexpr std::array<std::string_view, 2> HelpTypeNames = {"htKeyword", "htContext"};

// Text of the function list and the description is 8-bit (Windows-1252).
using TStrings = std::vector<std::string>;

// The report's named functions with their expressions.
class TFunctionList {
public:
    struct TFunction {
        std::string Name;
        std::string Expression;
        bool operator==(const TFunction&) const = default;
    };

    std::size_t Count() const { return FItems.size(); }
    const TFunction& Item(std::size_t Index) const;
    void Add(std::string Name, std::string Expression);
    void Clear() { FItems.clear(); }
    // Throws "List index out of bounds (%d)" past the last function.
    void SetExpression(std::size_t Index, std::string Expression);

private:
    std::vector<TFunction> FItems;
};

// The band switches; this program places no bands on the page.
struct TReportBands {
    bool HasTitle = false;
    bool HasPageHeader = false;
    bool HasColumnHeader = false;
    bool HasDetail = false;
    bool HasPageFooter = false;
    bool HasSummary = false;
};

// The document: one sheet of paper with its geometry, its printer settings and the items placed
// on it. Its pixel size follows the geometry at the current resolution and zoom.
class TReportPage : public QWidget, public TControlProperties {
    Q_OBJECT

public:
    explicit TReportPage(QWidget* Parent = nullptr);
    ~TReportPage() override;

    // The paper geometry (the page's "Page" property).
    TPageGeometry& Page() { return *FPage; }
    const TPageGeometry& Page() const { return *FPage; }

    // Sets the control's pixel bounds. A change of width or height on a Custom page flows back
    // into the paper's Width and Length, unless the geometry itself is sizing the control.
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);

    // The unit of the geometry and of every item placed directly on the page.
    TPageUnit Units() const { return FPage->Units(); }
    void SetUnits(TPageUnit Value);

    // Percent; values outside 1 to 300 are ignored.
    std::int32_t Zoom() const { return FZoom; }
    void SetZoom(std::int32_t Value);

    TPrintFrame& Frame() { return FFrame; }
    const TPrintFrame& Frame() const { return FFrame; }

    const TFont& Font() const { return FFont; }
    void SetFont(const TFont& Value);
    // Whether the font is the page's own (written to the document) rather than the default.
    bool FontIsOwn() const { return FFontIsOwn; }

    TFunctionList& Functions() { return FFunctions; }
    const TFunctionList& Functions() const { return FFunctions; }
    TStrings& Description() { return FDescription; }
    const TStrings& Description() const { return FDescription; }

    TReportOptions Options() const { return FOptions; }
    void SetOptions(TReportOptions Value) { FOptions = Value; }
    TPagePrinterSettings& PrinterSettings() { return FPrinterSettings; }
    const TPagePrinterSettings& PrinterSettings() const { return FPrinterSettings; }
    const TReportBands& Bands() const { return FBands; }

    bool PrintIfEmpty() const { return FPrintIfEmpty; }
    void SetPrintIfEmpty(bool Value) { FPrintIfEmpty = Value; }
    const QString& ReportTitle() const { return FReportTitle; }
    void SetReportTitle(const QString& Value) { FReportTitle = Value; }
    TMergeMode MergeMode() const { return FMergeMode; }
    void SetMergeMode(TMergeMode Value) { FMergeMode = Value; }
    // The records' file, relative to the document's folder, or a number sequence.
    const QString& DataSource() const { return FDataSource; }
    void SetDataSource(const QString& Value) { FDataSource = Value; }
    const QString& BackImageControl() const { return FBackImageControl; }
    void SetBackImageControl(const QString& Value) { FBackImageControl = Value; }
    bool ShowProgress() const { return FShowProgress; }
    void SetShowProgress(bool Value) { FShowProgress = Value; }
    bool SnapToGrid() const { return FSnapToGrid; }
    void SetSnapToGrid(bool Value) { FSnapToGrid = Value; }

    TFormStyle PrevFormStyle() const { return FPrevFormStyle; }
    void SetPrevFormStyle(TFormStyle Value) { FPrevFormStyle = Value; }
    TWindowState PreviewInitialState() const { return FPreviewInitialState; }
    void SetPreviewInitialState(TWindowState Value) { FPreviewInitialState = Value; }
    TQRZoomState PrevInitialZoom() const { return FPrevInitialZoom; }
    void SetPrevInitialZoom(TQRZoomState Value) { FPrevInitialZoom = Value; }
    // A stored value of 0 or less reads as 500.
    std::int32_t PreviewWidth() const { return FPreviewWidth > 0 ? FPreviewWidth : 500; }
    void SetPreviewWidth(std::int32_t Value) { FPreviewWidth = Value; }
    std::int32_t PreviewHeight() const { return FPreviewHeight > 0 ? FPreviewHeight : 500; }
    void SetPreviewHeight(std::int32_t Value) { FPreviewHeight = Value; }
    bool PrevShowThumbs() const { return FPrevShowThumbs; }
    void SetPrevShowThumbs(bool Value) { FPrevShowThumbs = Value; }
    bool PrevShowSearch() const { return FPrevShowSearch; }
    void SetPrevShowSearch(bool Value) { FPrevShowSearch = Value; }

    // The page's own enabled state (not its parent's); a disabled page paints silver.
    bool Enabled() const { return !testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool Value) { setEnabled(Value); }

    // Set while a document is read into the page; Loaded ends it.
    bool Loading() const { return FLoading; }
    void BeginLoading() { FLoading = true; }
    void Loaded();

protected:
    // The design-time look within Area: the sheet, the ruler of the page's unit, the margin
    // rectangle, the page frame and the column marks.
    virtual void Paint(QPainter& Canvas, const QRect& Area);
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    friend class TPageGeometry;

    void SizeChanged(QSize NewSize);
    void PaintRuler(QPainter& Canvas, const QRect& Area);
    void PaintFrameAndColumns(QPainter& Canvas, const QRect& Area);
    // A length of the geometry in pixels at the page's resolution and zoom, not rounded.
    long double PixelValue(TPageGeometry::TPageValue Index) const;
    // Positions the bands between the margins; the page holds no bands, so there is nothing to do.
    void LayoutBands() {}
    // The items placed directly on the page follow its unit and zoom.
    void ApplyUnitsToItems(TPageUnit Value);
    void ApplyZoomToItems(std::int32_t Value);

    TPrintFrame FFrame{this};
    std::int32_t FZoom = 100;
    TFunctionList FFunctions;
    TStrings FDescription;
    TReportBands FBands;
    std::unique_ptr<TPageGeometry> FPage;
    TPagePrinterSettings FPrinterSettings;
    TFont FFont;
    bool FFontIsOwn = false;
    TReportOptions FOptions;
    bool FPrintIfEmpty = false;
    QString FReportTitle;
    TMergeMode FMergeMode = mmRecordPerPage;
    QString FDataSource;
    QString FBackImageControl;
    bool FShowProgress = false;
    bool FSnapToGrid = false;
    TFormStyle FPrevFormStyle = fsNormal;
    TWindowState FPreviewInitialState = wsNormal;
    TQRZoomState FPrevInitialZoom = qrZoomToFit;
    std::int32_t FPreviewWidth = 500;
    std::int32_t FPreviewHeight = 500;
    bool FPrevShowThumbs = false;
    bool FPrevShowSearch = false;
    bool FLoading = false;
    QSize FKnownSize;
};
