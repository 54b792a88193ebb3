#include "printing/TPrintSetupDialog.h"

#include "common/Messages.h"
#include "document/TReportPage.h"
#include "printing/Printers.h"
#include "printing/TPrinterSettings.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QPrintDialog>
#include <QPrinter>
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
    Orientation =
        Printer.pageLayout().orientation() == QPageLayout::Landscape ? poLandscape : poPortrait;
    PrintQuality = Chosen.PrintQuality;
    ColorOption = Chosen.ColorOption;
    DuplexCode = Chosen.ExtendedDuplex;
    Duplex = Chosen.Duplex;
    Collate = Chosen.Collate;
    return true;
}

void PrinterSetup(TReportPage& Page, TPrintDialogPrompt& Prompt, QWidget* Owner) {
    TPrintSetupDialog Dialog(Owner);
    TPagePrinterSettings& Settings = Page.PrinterSettings();
    SelectApplicationPrinter(Settings.PrinterIndex);
    Dialog.MinPage = 0;
    Dialog.MaxPage = 9999;
    Dialog.Options = {poPageNums, poWarning};
    // The range the page already has is shown again, so that confirming keeps it.
    if (Settings.FirstPage != 0 || Settings.LastPage != 0) {
        Dialog.PrintRange = prPageNums;
        Dialog.FromPage = Settings.FirstPage != 0 ? Settings.FirstPage : 1;
        Dialog.ToPage = Settings.LastPage != 0 ? Settings.LastPage : Dialog.MaxPage;
    }
    ApplicationPrinter().setPageOrientation(
        Page.Page().Orientation() == poLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    Dialog.SetCopies(Settings.Copies);
    if (!Dialog.Execute(Prompt)) {
        Page.SetTag(1);
        return;
    }
    Settings.Copies = Dialog.Copies();
    Settings.PrinterIndex = PrinterIndex(ApplicationPrinter().printerName());
    Page.Page().SetOrientation(Dialog.Orientation);
    if (Dialog.PrintRange == prPageNums) {
        Settings.FirstPage = Dialog.FromPage;
        Settings.LastPage = Dialog.ToPage == Dialog.MaxPage ? 0 : Dialog.ToPage;
    } else {
        Settings.FirstPage = 0;
        Settings.LastPage = 0;
    }
    Page.SetTag(0);
}
