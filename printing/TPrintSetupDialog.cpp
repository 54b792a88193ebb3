#include "printing/TPrintSetupDialog.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReportPage.h"
#include "printing/PrinterCodes.h"
#include "printing/Printers.h"
#include "printing/TPrinterSettings.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrintEngine>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>

namespace {

// Places the dialog when it opens, keeping its size: centred across the screen, with a third of
// the height it leaves free above it.
class TDialogPlacer : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override {
        auto* Dialog = qobject_cast<QWidget*>(Watched);
        if (Dialog != nullptr && Event->type() == QEvent::Show) {
            const QScreen* Screen = Dialog->screen();
            if (Screen != nullptr) {
                const QRect Area = Screen->geometry();
                const QSize Size = Dialog->frameGeometry().size();
                Dialog->move(Area.left() + (Area.width() - Size.width()) / 2,
                             Area.top() + (Area.height() - Size.height()) / 3);
            }
        }
        return false;
    }
};

QPrinter::PrintRange QtRange(TPrintRange Range) {
    switch (Range) {
    case prSelection:
        return QPrinter::Selection;
    case prPageNums:
        return QPrinter::PageRange;
    case prAllPages:
        break;
    }
    return QPrinter::AllPages;
}

} // namespace

bool ExecPlatformPrintDialog(QWidget* Owner, QPrinter& Printer,
                             const TPrintDialogRequest& Request) {
    QPrintDialog Dialog(&Printer, Owner);
    const TPrintDialogOptions& O = Request.Options;
    QAbstractPrintDialog::PrintDialogOptions Shown =
        QAbstractPrintDialog::PrintShowPageSize | QAbstractPrintDialog::PrintCollateCopies;
    if (O.Contains(poPrintToFile) && !O.Contains(poDisablePrintToFile))
        Shown |= QAbstractPrintDialog::PrintToFile;
    if (O.Contains(poPageNums))
        Shown |= QAbstractPrintDialog::PrintPageRange;
    if (O.Contains(poSelection))
        Shown |= QAbstractPrintDialog::PrintSelection;
    Dialog.setOptions(Shown);
    Dialog.setMinMax(Request.MinPage, Request.MaxPage);
    // The dialog only sets the printer up; printing is the Print command's, so its button does not
    // say Print.
    Dialog.setWindowTitle(QString::fromUtf8(Msg::PrinterSetupCaption));
    if (auto* Buttons = Dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* Ok = Buttons->button(QDialogButtonBox::Ok))
            Ok->setText(QString::fromUtf8(Msg::PrinterSetupConfirm));
    TDialogPlacer Placer;
    Dialog.installEventFilter(&Placer);
    return Dialog.exec() == QDialog::Accepted;
}

namespace {

// Where Qt's CUPS printer keeps the options its print dialog chose (a list of name, value),
// the same key as its own dialog uses.
constexpr auto CupsOptionsKey = QPrintEngine::PrintEnginePropertyKey(0xfe00);

// The sides of a page's duplex settings, as Qt's dialog shows them.
QPrinter::DuplexMode DuplexOf(const TPagePrinterSettings& S) {
    const int Code = S.ExtendedDuplex != 0 ? S.ExtendedDuplex : S.Duplex ? 3 : 1;
    const TDuplexCode* Row = FindCode(DuplexCodes, &TDuplexCode::Code, Code);
    return Row != nullptr ? Row->Mode : QPrinter::DuplexNone;
}

// The page's sheet as Qt names it: its paper type, or its width by its length.
QPageSize PageSizeOf(const TPageGeometry& G) {
    if (IsNamedPaperSize(G.PaperSize()))
        if (const QPageSize::PageSizeId Id = QPageSize::id(PaperCodes[std::size_t(G.PaperSize())]);
            Id != QPageSize::Custom)
            return QPageSize(Id);
    const bool Turned = IsNamedPaperSize(G.PaperSize()) && G.Orientation() == poLandscape;
    const QSizeF MM(double(G.NativeValue(TPageGeometry::pvWidth) / 10),
                    double(G.NativeValue(TPageGeometry::pvLength) / 10));
    return QPageSize(Turned ? MM.transposed() : MM, QPageSize::Millimeter, QString(),
                     QPageSize::ExactMatch);
}

// The paper chosen in the dialog onto the page: a paper type of its own where it is one, else a
// Custom Size of its width and length.
void TakePaper(TPageGeometry& G, const QPageSize& Size) {
    const TPaperSize Named = PaperSizeFromCode(Size.windowsId());
    if (IsNamedPaperSize(Named)) {
        G.SetPaperSize(Named);
        return;
    }
    const QSizeF MM = Size.size(QPageSize::Millimeter);
    G.SetCustomPaper(MM.width(), MM.height());
}

} // namespace

std::vector<std::pair<std::string, std::string>> PrinterDriverOptions(QPrinter& Printer) {
    std::vector<std::pair<std::string, std::string>> Options;
    const QStringList List = Printer.printEngine()->property(CupsOptionsKey).toStringList();
    for (qsizetype I = 0; I + 1 < List.size(); I += 2)
        Options.emplace_back(List[I].toStdString(), List[I + 1].toStdString());
    return Options;
}

void SetPrinterDriverOptions(QPrinter& Printer,
                             const std::vector<std::pair<std::string, std::string>>& Options) {
    QStringList List;
    for (const auto& [Name, Value] : Options)
        List << QString::fromStdString(Name) << QString::fromStdString(Value);
    Printer.printEngine()->setProperty(CupsOptionsKey, List);
}

void TPrintSetupDialog::SetCopies(std::int32_t Value) {
    FCopies = Value;
    ApplicationPrinter().setCopyCount(Value);
}

bool TPrintSetupDialog::Execute(TPrintDialogPrompt& Prompt) {
    QPrinter& Printer = ApplicationPrinter();
    Printer.setPrintRange(QtRange(PrintRange));
    Printer.setFromTo(FromPage, ToPage);
    Printer.setCollateCopies(Collate != 0);
    if (!Prompt.RunPrintDialog(FOwner, Printer, {Options, MinPage, MaxPage}))
        return false;
    PrintToFile = !Printer.outputFileName().isEmpty();
    switch (Printer.printRange()) {
    case QPrinter::Selection:
        PrintRange = prSelection;
        break;
    case QPrinter::PageRange:
        PrintRange = prPageNums;
        break;
    default:
        PrintRange = prAllPages;
    }
    FromPage = Printer.fromPage();
    ToPage = Printer.toPage();
    FCopies = Printer.copyCount();
    TPrinterSettings Chosen;
    Chosen.ReadDevice(Printer);
    OutputBin = Chosen.OutputBin;
    PaperSize = Chosen.PaperSize;
    Paperlength = Chosen.PaperLength;
    Paperwidth = Chosen.PaperWidth;
    PageSize = Printer.pageLayout().pageSize();
    Orientation =
        Printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    PrintQuality = Chosen.PrintQuality;
    ColorOption = Chosen.ColorOption;
    const TDuplexCode* Sides = FindCode(DuplexCodes, &TDuplexCode::Mode, Printer.duplex());
    DuplexCode = Sides != nullptr ? Sides->Code : 1;
    Duplex = DuplexCode != 1;
    Collate = Printer.collateCopies() ? 1 : 0;
    DriverOptions = PrinterDriverOptions(Printer);
    return true;
}

void PrinterSetup(TReportPage& Page, TPrintDialogPrompt& Prompt, QWidget* Owner) {
    TPagePrinterSettings& Settings = Page.PrinterSettings();
    const std::vector<TPrinterQueue> Queues = SpoolerQueues();
    if (Queues.empty())
        Raise(Msg::NoPrinterInstalled);
    // Without a default the dialog opens on the first printer, for the user to choose.
    TPagePrinterSettings Preset = Settings;
    const QString Printer =
        PrinterToChoose(Preset, Queues) ? Queues.front().Name : PagePrinter(Preset, Queues).Name;
    SelectApplicationPrinter(Printer);
    TPrintSetupDialog Dialog(Owner);
    Dialog.MinPage = 0;
    Dialog.MaxPage = 9999;
    Dialog.Options = {poPageNums, poWarning};
    // The range the page already has is shown again, so that confirming keeps it.
    if (Settings.FirstPage != 0 || Settings.LastPage != 0) {
        Dialog.PrintRange = prPageNums;
        Dialog.FromPage = Settings.FirstPage != 0 ? Settings.FirstPage : 1;
        Dialog.ToPage = Settings.LastPage != 0 ? Settings.LastPage : Dialog.MaxPage;
    }
    QPrinter& Device = ApplicationPrinter();
    // The dialog shows the page's paper, sides and driver options; what it leaves as they were
    // leaves the page as it was.
    const QPageSize PresetSize = Page.Page().PaperSize() == TPaperSize::Default
                                     ? Device.pageLayout().pageSize()
                                     : PageSizeOf(Page.Page());
    Device.setPageSize(PresetSize);
    Device.setPageOrientation(Page.Page().Orientation() == poLandscape ? QPageLayout::Landscape
                                                                       : QPageLayout::Portrait);
    const QPrinter::DuplexMode PresetSides = DuplexOf(Settings);
    Device.setDuplex(PresetSides);
    SetPrinterDriverOptions(Device, Settings.DriverOptions);
    Dialog.Collate = Settings.Collate;
    Dialog.SetCopies(Settings.Copies);
    if (!Dialog.Execute(Prompt)) {
        Page.SetTag(1);
        return;
    }
    Settings.Copies = Dialog.Copies();
    Settings.PrinterName = Device.printerName().toStdString();
    Settings.PrinterIndex = PrinterIndex(Queues, Device.printerName());
    // Qt's dialog gives another printer its own paper; only a paper then chosen is the user's.
    const QPageSize Offered =
        Device.printerName() == Printer
            ? PresetSize
            : QPrinterInfo::printerInfo(Device.printerName()).defaultPageSize();
    if (!Dialog.PageSize.isEquivalentTo(Offered)) {
        TakePaper(Page.Page(), Dialog.PageSize);
    } else if (Page.Page().PaperSize() == TPaperSize::Default && Settings.PrinterIndex >= 0) {
        // "Default size" is the chosen printer's paper, as it prints.
        const TQueueMedia& Paper = Queues[std::size_t(Settings.PrinterIndex)].DefaultMedia;
        if (Paper.Width > 0 && Paper.Length > 0)
            Page.Page().SetDefaultPaper(Paper.Width / 10, Paper.Length / 10);
    }
    Page.Page().SetOrientation(Dialog.Orientation);
    if (Dialog.PrintRange == prPageNums) {
        Settings.FirstPage = Dialog.FromPage;
        Settings.LastPage = Dialog.ToPage == Dialog.MaxPage ? 0 : Dialog.ToPage;
    } else {
        Settings.FirstPage = 0;
        Settings.LastPage = 0;
    }
    Settings.Collate = Dialog.Collate;
    if (Device.duplex() != PresetSides) {
        Settings.Duplex = Dialog.Duplex;
        Settings.ExtendedDuplex = Dialog.DuplexCode == 2 ? 2 : 0;
    }
    Settings.DriverOptions = Dialog.DriverOptions;
    Page.SetTag(0);
}
