// tessmira-cli: the program's work without a window. Each verb is one function that parses its
// own options and calls the same code the window uses.

#include "barcode/TBarcodeEngine.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "docops/DocumentFile.h"
#include "docops/PageDescription.h"
#include "document/StreamClasses.h"
#include "document/SystemFacts.h"
#include "document/TDataMerge.h"
#include "document/TReportPage.h"
#include "printing/GraphicExport.h"
#include "printing/PagePrint.h"
#include "printing/PrintReport.h"
#include "printing/PrintSpooler.h"
#include "printing/PrinterCalibration.h"
#include "printing/Printers.h"
#include "printing/TPaintDevicePrintJob.h"
#include "printing/TPrinterSettings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr int ExitEngineError = 1;
constexpr int ExitUsage = 2;

const QString ExitStatusHelp =
    QStringLiteral("\nExit status: 0 on success, 1 when the work fails (its message on stderr), "
                   "2 for a wrong command line.\n");

// A wrong command line, reported with the verb's usage rather than as an engine error.
struct TUsageError {
    QString Message;
};

void Print(FILE* Stream, const QString& Text) {
    const QByteArray Bytes = Text.toUtf8();
    std::fwrite(Bytes.constData(), 1, static_cast<std::size_t>(Bytes.size()), Stream);
}

// Parses the verb's arguments; returns false after --help has been printed.
bool ParseVerb(QCommandLineParser& Parser, const QStringList& Arguments, const char* Verb) {
    const QCommandLineOption Help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Shows this help."));
    Parser.addOption(Help);
    Parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    if (!Parser.parse(Arguments))
        throw TUsageError{Parser.errorText()};
    if (Parser.isSet(Help)) {
        // Qt names the program by its path; the verb belongs in the usage line.
        QString Text = Parser.helpText();
        const qsizetype Options = Text.indexOf(QLatin1String(" [options]"));
        if (Text.startsWith(QLatin1String("Usage: ")) && Options > 0)
            Text.replace(7, Options - 7, QLatin1String("tessmira-cli ") + QLatin1String(Verb));
        Print(stdout, Text + ExitStatusHelp);
        return false;
    }
    return true;
}

struct TEngineOptions {
    QCommandLineOption Type{QStringLiteral("type"),
                            QStringLiteral("Symbology by its stored name, e.g. bcCodeEAN13 "
                                           "(the default) or bcCode128B."),
                            QStringLiteral("name"), QStringLiteral("bcCodeEAN13")};
    QCommandLineOption Checksum{QStringLiteral("checksum"),
                                QStringLiteral("Adds the optional check digit.")};
    QCommandLineOption Method{QStringLiteral("method"),
                              QStringLiteral("Check digit rule: csmNone or csmModulo10 (the "
                                             "default)."),
                              QStringLiteral("method"), QStringLiteral("csmModulo10")};
    QCommandLineOption Modul{QStringLiteral("modul"),
                             QStringLiteral("Narrow module width in drawing units (default 1)."),
                             QStringLiteral("N"), QStringLiteral("1")};
    QCommandLineOption Ratio{QStringLiteral("ratio"),
                             QStringLiteral("Wide-to-narrow ratio (default 2.0)."),
                             QStringLiteral("R"), QStringLiteral("2.0")};

    void AddTo(QCommandLineParser& Parser) const {
        Parser.addOptions({Type, Checksum, Method, Modul, Ratio});
        Parser.addPositionalArgument(QStringLiteral("TEXT"),
                                     QStringLiteral("The data to encode (UTF-8; use -- before a "
                                                    "text that starts with \"-\")."));
    }

    // Settings in the order the barcode item writes them.
    void ApplyTo(const QCommandLineParser& Parser, const QString& Text, TBarcodeEngine& E) const {
        TBarcodeType Typ{};
        const QString TypeName = Parser.value(Type);
        if (!BarcodeTypeFromName(TypeName.toStdString(), Typ))
            throw TUsageError{QStringLiteral("Unknown symbology: %1").arg(TypeName)};
        const QString MethodName = Parser.value(Method);
        if (MethodName != QLatin1String("csmNone") && MethodName != QLatin1String("csmModulo10"))
            throw TUsageError{QStringLiteral("Unknown check digit rule: %1").arg(MethodName)};
        bool Ok = false;
        const int ModulValue = Parser.value(Modul).toInt(&Ok);
        if (!Ok)
            throw TUsageError{QStringLiteral("--modul needs an integer")};
        const double RatioValue = Parser.value(Ratio).toDouble(&Ok);
        if (!Ok || !std::isfinite(RatioValue))
            throw TUsageError{QStringLiteral("--ratio needs a number")};
        E.SetTyp(Typ);
        E.SetChecksum(Parser.isSet(Checksum));
        E.SetCheckSumMethod(MethodName == QLatin1String("csmNone") ? csmNone : csmModulo10);
        E.SetModul(ModulValue);
        E.SetRatio(RatioValue);
        E.SetText(ToCp1252(Text));
    }
};

QStringList Positionals(const QCommandLineParser& Parser, qsizetype Count) {
    const QStringList Values = Parser.positionalArguments();
    if (Values.size() != Count)
        throw TUsageError{
            QStringLiteral("Expected %1 argument(s), got %2").arg(Count).arg(Values.size())};
    return Values;
}

int RunEncode(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Encodes TEXT and prints its module pattern, the text after encoding and "
                       "the width in drawing units."));
    const TEngineOptions Engine;
    Engine.AddTo(Parser);
    if (!ParseVerb(Parser, Arguments, "encode"))
        return 0;
    TBarcodeEngine E;
    Engine.ApplyTo(Parser, Positionals(Parser, 1).at(0), E);
    const std::string Pattern = E.EncodePattern();
    const std::int32_t Width = E.Width();
    Print(stdout, QStringLiteral("pattern: %1\ntext: %2\nwidth: %3\n")
                      .arg(QString::fromLatin1(Pattern), FromCp1252(E.Text()))
                      .arg(Width));
    return 0;
}

QSize ParseSize(const QString& Value) {
    const QStringList Parts = Value.split(QLatin1Char('x'));
    bool OkW = false;
    bool OkH = false;
    const int W = Parts.size() == 2 ? Parts[0].toInt(&OkW) : 0;
    const int H = Parts.size() == 2 ? Parts[1].toInt(&OkH) : 0;
    if (!OkW || !OkH || W <= 0 || H <= 0)
        throw TUsageError{QStringLiteral("--size needs WxH in pixels, e.g. 300x150")};
    return {W, H};
}

// --dpi N: the resolution a graphic is drawn at, 1 to 2400.
QCommandLineOption DpiOption(int Default) {
    return QCommandLineOption(QStringLiteral("dpi"),
                              QStringLiteral("Dots per inch, 1 to 2400 (default %1).").arg(Default),
                              QStringLiteral("N"), QString::number(Default));
}

int DpiValue(const QCommandLineParser& Parser, const QCommandLineOption& Dpi) {
    bool Ok = false;
    const int Resolution = Parser.value(Dpi).toInt(&Ok);
    if (!Ok || Resolution < 1 || Resolution > 2400)
        throw TUsageError{QStringLiteral("--dpi needs a number from 1 to 2400")};
    return Resolution;
}

// A file name whose extension names no graphic format is a usage error, told by Message.
void RequireGraphicName(const QString& FileName, const char* Message) {
    try {
        GraphicFormatOf(FileName);
    } catch (const TException&) {
        throw TUsageError{QString::fromLatin1(Message)};
    }
}

int RunBarcode(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Draws one barcode with its readable text into a WxH pixel rectangle inside "
                       "a white quiet zone and writes OUT as PNG, SVG or PDF (by its extension). "
                       "Pixels are those of a 96 per inch screen; the graphic is drawn at --dpi "
                       "with every module a whole number of dots, and a PNG carries that "
                       "resolution."));
    const TEngineOptions Engine;
    Engine.AddTo(Parser);
    Parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The file to write."));
    const QCommandLineOption Angle(QStringLiteral("angle"),
                                   QStringLiteral("Rotation counter-clockwise: 0 (default), 90, "
                                                  "180 or 270."),
                                   QStringLiteral("degrees"), QStringLiteral("0"));
    const QCommandLineOption Size(QStringLiteral("size"),
                                  QStringLiteral("The barcode's rectangle in pixels, e.g. 300x150 "
                                                 "(required)."),
                                  QStringLiteral("WxH"));
    const QCommandLineOption Quiet(QStringLiteral("quiet"),
                                   QStringLiteral("White margin on every side in pixels (default: "
                                                  "10 modules)."),
                                   QStringLiteral("N"));
    const QCommandLineOption Dpi = DpiOption(ScreenPixelsPerInch);
    Parser.addOptions({Angle, Size, Quiet, Dpi});
    if (!ParseVerb(Parser, Arguments, "barcode"))
        return 0;
    const QStringList Values = Positionals(Parser, 2);
    TBarcodeEngine E;
    Engine.ApplyTo(Parser, Values.at(0), E);
    const QString AngleText = Parser.value(Angle);
    if (!QStringList{"0", "90", "180", "270"}.contains(AngleText))
        throw TUsageError{QStringLiteral("--angle must be 0, 90, 180 or 270")};
    E.SetAngle(AngleText.toDouble());
    if (!Parser.isSet(Size))
        throw TUsageError{QStringLiteral("--size is required")};
    const QSize Box = ParseSize(Parser.value(Size));
    RequireGraphicName(Values.at(1), "OUT must end in .png, .svg or .pdf");
    const int Resolution = DpiValue(Parser, Dpi);

    std::optional<int> Margin;
    if (Parser.isSet(Quiet)) {
        bool Ok = false;
        Margin = Parser.value(Quiet).toInt(&Ok);
        if (!Ok || *Margin < 0)
            throw TUsageError{QStringLiteral("--quiet needs a number of pixels, 0 or more")};
    }
    ExportBarcodeFile(E, Box, Margin, Values.at(1), Resolution);
    return 0;
}

// The bytes of FILE, or of standard input for "-".
QByteArray ReadInput(const QString& Name) {
    if (Name != QLatin1String("-"))
        return ReadDocumentFile(Name);
    QFile In;
    if (!In.open(stdin, QIODevice::ReadOnly))
        Raise(Msg::StreamReadError);
    return In.readAll();
}

std::string_view View(const QByteArray& Bytes) {
    return {Bytes.constData(), static_cast<std::size_t>(Bytes.size())};
}

int RunDump(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Prints the stored records of a document, the page's and then every "
                       "item's, one per line as \"path = value\" in file order, or as JSON that "
                       "build turns back into the same document. A file that cannot be read "
                       "prints the reader's error and nothing else."));
    const QCommandLineOption Json(QStringLiteral("json"), QStringLiteral("Prints JSON."));
    Parser.addOption(Json);
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A .TSM document."));
    if (!ParseVerb(Parser, Arguments, "dump"))
        return 0;
    const QByteArray Bytes = ReadDocumentFile(Positionals(Parser, 1).at(0));
    const std::string Out =
        Parser.isSet(Json) ? DumpDocumentJson(View(Bytes)) : DumpDocumentText(View(Bytes));
    std::fwrite(Out.data(), 1, Out.size(), stdout);
    return 0;
}

int RunBuild(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Creates a new page as New does, applies the page properties of "
                       "PAGE.json in their order, creates each item as Insert barcode does and "
                       "applies its properties, and saves the page as Save does. Anything left "
                       "out keeps its default; an item may give \"bounds\": [left, top, width, "
                       "height] in pixels."));
    Parser.addPositionalArgument(QStringLiteral("PAGE.json"),
                                 QStringLiteral("The page description, \"-\" for standard input."));
    Parser.addPositionalArgument(QStringLiteral("OUT.TSM"), QStringLiteral("The file to write."));
    if (!ParseVerb(Parser, Arguments, "build"))
        return 0;
    const QStringList Values = Positionals(Parser, 2);
    // As New does, a new page takes the default printer's paper.
    UseSpoolerPaperForNewPages();
    const std::unique_ptr<TReportPage> Page = BuildDocumentPage(View(ReadInput(Values[0])));
    WriteDocument(*Page, Values[1]);
    return 0;
}

// --data and --sequence: the records of a data merge.
struct TDataOptions {
    QCommandLineOption Data{QStringLiteral("data"),
                            QStringLiteral("Merges the records of a CSV file (\"-\": standard "
                                           "input), one sheet a record or one label a record as "
                                           "the document's MergeMode says."),
                            QStringLiteral("CSV")};
    QCommandLineOption Sequence{QStringLiteral("sequence"),
                                QStringLiteral("Merges a number sequence, one record a number, "
                                               "e.g. 1:100 or 10:1000:10."),
                                QStringLiteral("FROM:TO[:STEP]")};

    void AddTo(QCommandLineParser& Parser) const { Parser.addOptions({Data, Sequence}); }

    // The records asked for, else those the document names (relative to its folder), else none.
    std::unique_ptr<TDataSource> Open(const QCommandLineParser& Parser, const TReportPage& Page,
                                      const QString& Document) const {
        if (Parser.isSet(Data) && Parser.isSet(Sequence))
            throw TUsageError{QStringLiteral("Give --data or --sequence, not both")};
        if (Parser.isSet(Data))
            return OpenDataFile(Parser.value(Data));
        if (Parser.isSet(Sequence))
            return NumberSequence(Parser.value(Sequence));
        return OpenPageSource(Page, QFileInfo(Document).absolutePath());
    }
};

int RunRender(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Draws the page of a document onto a sheet the size of its paper, every "
                       "item at its place through its own print path, with the page's frame, "
                       "and writes OUT as PDF, PNG or SVG (by its extension). With records, every "
                       "sheet they make: one PDF page a sheet, or one PNG or SVG file a sheet, "
                       "OUT with -1, -2 ... before the extension when there are more. Every "
                       "record is tried first; bad data writes nothing."));
    const QCommandLineOption Dpi = DpiOption(300);
    Parser.addOption(Dpi);
    const TDataOptions Records;
    Records.AddTo(Parser);
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A .TSM document."));
    Parser.addPositionalArgument(QStringLiteral("OUT"), QStringLiteral("The file to write."));
    if (!ParseVerb(Parser, Arguments, "render"))
        return 0;
    const QStringList Values = Positionals(Parser, 2);
    const int Resolution = DpiValue(Parser, Dpi);
    RequireGraphicName(Values[1], "OUT must end in .pdf, .png or .svg");

    const std::unique_ptr<TReportPage> Page = ReadDocument(Values[0]);
    const std::unique_ptr<TDataSource> Data = Records.Open(Parser, *Page, Values[0]);
    RenderPageFile(*Page, Data.get(), Values[1], Resolution);
    return 0;
}

// "N" or "FROM-TO" or "FROM-": the page range as the page stores it, 0 for an open end.
std::pair<std::int32_t, std::int32_t> ParsePages(const QString& Value) {
    const QStringList Parts = Value.split(QLatin1Char('-'));
    bool OkFrom = false;
    bool OkTo = true;
    const int From = Parts.value(0).toInt(&OkFrom);
    int To = From;
    if (Parts.size() == 2)
        To = Parts[1].isEmpty() ? 0 : Parts[1].toInt(&OkTo);
    if (Parts.size() > 2 || !OkFrom || !OkTo || From < 1 || To < 0 || (To != 0 && To < From) ||
        To > 9999)
        throw TUsageError{QStringLiteral("--pages needs FROM-TO, e.g. 1-3, 2- or 1")};
    return {From, To};
}

// The named queue, which must exist, or the default one when Name is empty.
QString CheckedPrinter(const QString& Name) {
    if (Name.isEmpty())
        return Name;
    const std::vector<TPrinterQueue> Queues = SpoolerQueues();
    if (Queues.empty())
        Raise(Msg::NoPrinterInstalled);
    if (PrinterIndex(Queues, Name) < 0)
        Raise(Msg::UnknownPrinter, {Name.toStdString()});
    return Name;
}

// The job id on standard output; a stopped printer is said on standard error, as the job waits.
void ReportSpooled(const TPrintOutcome& Outcome) {
    Print(stdout, QStringLiteral("%1\n").arg(Outcome.JobId));
    if (!Outcome.StoppedReason.isEmpty())
        Print(stderr, QString::fromStdString(
                          Format(Msg::PrintSentStopped,
                                 {Outcome.Printer.toStdString(), std::to_string(Outcome.JobId),
                                  Outcome.StoppedReason.toStdString()})) +
                          QLatin1Char('\n'));
}

int RunPrint(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Prints the page of a document as the window's Print command does, on the "
                       "page's printer (the system's default) at that printer's resolution, on "
                       "the paper it takes for the page's, with the page's copies and page "
                       "range and the printer's calibration, and prints the spooler's job id "
                       "once the job is handed over. With records, every sheet they make, the "
                       "range counting sheets; every record is tried first, and bad data sends "
                       "nothing. With --calibration, a calibration sheet instead of a document: "
                       "rulers and crosses 10 mm from the paper's edges, to read the printer's "
                       "offset off the paper."));
    const QCommandLineOption Printer(QStringLiteral("printer"),
                                     QStringLiteral("The printer to print on, by its name."),
                                     QStringLiteral("NAME"));
    const QCommandLineOption Copies(QStringLiteral("copies"),
                                    QStringLiteral("Number of copies, 1 to 9999."),
                                    QStringLiteral("N"));
    const QCommandLineOption Pages(QStringLiteral("pages"),
                                   QStringLiteral("The page range, e.g. 1-3, 2- or 1."),
                                   QStringLiteral("FROM-TO"));
    const QCommandLineOption Calibration(
        QStringLiteral("calibration"),
        QStringLiteral("Prints the printer's calibration sheet on its current paper."));
    Parser.addOptions({Printer, Copies, Pages, Calibration});
    const TDataOptions Records;
    Records.AddTo(Parser);
    Parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A .TSM document."));
    if (!ParseVerb(Parser, Arguments, "print"))
        return 0;
    if (Parser.isSet(Calibration)) {
        Positionals(Parser, 0);
        ReportSpooled(PrintCalibrationSheet(CheckedPrinter(Parser.value(Printer))));
        return 0;
    }
    const QString File = Positionals(Parser, 1).at(0);
    std::int32_t CopyCount = 0;
    if (Parser.isSet(Copies)) {
        bool Ok = false;
        CopyCount = Parser.value(Copies).toInt(&Ok);
        if (!Ok || CopyCount < 1 || CopyCount > 9999)
            throw TUsageError{QStringLiteral("--copies needs a number from 1 to 9999")};
    }
    const auto Range =
        Parser.isSet(Pages) ? std::optional(ParsePages(Parser.value(Pages))) : std::nullopt;
    const std::unique_ptr<TReportPage> Page = ReadDocument(File);
    TPagePrinterSettings& Settings = Page->PrinterSettings();
    if (Parser.isSet(Printer))
        Settings.PrinterName = CheckedPrinter(Parser.value(Printer)).toStdString();
    if (CopyCount != 0)
        Settings.Copies = CopyCount;
    if (Range) {
        Settings.FirstPage = Range->first;
        Settings.LastPage = Range->second;
    }
    const std::unique_ptr<TDataSource> Data = Records.Open(Parser, *Page, File);
    ReportSpooled(PrintReport(*Page, nullptr, false, Data.get()));
    return 0;
}

int RunPrinters(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Lists the installed printers, one a line: its name, the resolution a "
                       "print run draws at, \"default\" for the system's default printer, and "
                       "\"stopped\" with the reason for a printer that does not print now. "
                       "Fails when the print spooler is not running or does not answer."));
    if (!ParseVerb(Parser, Arguments, "printers"))
        return 0;
    Positionals(Parser, 0);
    for (const TPrinterQueue& Queue : SpoolerQueues()) {
        TPrinterSettings Settings;
        Settings.ReadQueue(Queue);
        const QString Resolution =
            Settings.DotsPerInchX == Settings.DotsPerInchY
                ? QString::number(Settings.DotsPerInchX)
                : QStringLiteral("%1x%2").arg(Settings.DotsPerInchX).arg(Settings.DotsPerInchY);
        const QString Stopped = QueueStoppedReason(Queue);
        Print(stdout,
              QStringLiteral("%1\t%2 dpi%3%4\n")
                  .arg(Queue.Name, Resolution,
                       Queue.Default ? QStringLiteral("\tdefault") : QString(),
                       Stopped.isEmpty() ? QString() : QStringLiteral("\tstopped: ") + Stopped));
    }
    return 0;
}

// "X,Y" in millimetres.
TCalibration ParseOffset(const QString& Value) {
    const QStringList Parts = Value.split(QLatin1Char(','));
    bool OkX = false;
    bool OkY = false;
    const double X = Parts.value(0).toDouble(&OkX);
    const double Y = Parts.value(1).toDouble(&OkY);
    if (Parts.size() != 2 || !OkX || !OkY)
        throw TUsageError{QStringLiteral("--offset needs X,Y in millimetres, e.g. 1.5,-0.5")};
    return {X, Y};
}

int RunCalibration(const QStringList& Arguments) {
    QCommandLineParser Parser;
    Parser.setApplicationDescription(
        QStringLiteral("Shows, or with --offset sets, how far every print on PRINTER is moved "
                       "right and down to make up for where the printer puts it, in "
                       "millimetres: \"X,Y\". The window's File > Printer calibration keeps the "
                       "same setting; print --calibration prints a sheet to read it off."));
    const QCommandLineOption Offset(QStringLiteral("offset"),
                                    QStringLiteral("The offset to keep, X,Y in millimetres "
                                                   "(0,0 takes it off)."),
                                    QStringLiteral("X,Y"));
    Parser.addOption(Offset);
    Parser.addPositionalArgument(QStringLiteral("PRINTER"), QStringLiteral("The printer's name."));
    if (!ParseVerb(Parser, Arguments, "calibration"))
        return 0;
    const QString Name = CheckedPrinter(Positionals(Parser, 1).at(0));
    if (Parser.isSet(Offset))
        SetCalibration(Name, ParseOffset(Parser.value(Offset)));
    const TCalibration Now = CalibrationOf(Name);
    Print(stdout, QStringLiteral("%1,%2\n")
                      .arg(static_cast<double>(Now.OffsetX))
                      .arg(static_cast<double>(Now.OffsetY)));
    return 0;
}

struct TVerb {
    const char* Name;
    const char* Summary;
    bool Draws; // needs fonts and so a GUI application
    std::function<int(const QStringList&)> Run;
    bool Widgets = false; // works on pages, which are widgets
};

const std::vector<TVerb>& Verbs() {
    static const std::vector<TVerb> List = {
        {"encode", "print the module pattern, text and width of a barcode", false, RunEncode},
        {"barcode", "draw one barcode into a PNG, SVG or PDF file", true, RunBarcode},
        {"dump", "print the stored records of a document, as text or JSON", true, RunDump, true},
        {"build", "make a document from a JSON page description", true, RunBuild, true},
        {"render", "draw the page of a document into a PDF, PNG or SVG file", true, RunRender,
         true},
        {"print", "print the page of a document and show the spooler's job id", true, RunPrint,
         true},
        {"printers", "list the installed printers with their resolution", false, RunPrinters},
        {"calibration", "show or set a printer's print offset", false, RunCalibration},
    };
    return List;
}

QString GeneralHelp() {
    QString Text = QStringLiteral("Usage: tessmira-cli <verb> [options] [arguments]\n"
                                  "       tessmira-cli <verb> --help\n"
                                  "       tessmira-cli --version\n\nVerbs:\n");
    for (const TVerb& Verb : Verbs())
        Text += QStringLiteral("  %1  %2\n")
                    .arg(QString::fromLatin1(Verb.Name).leftJustified(11), Verb.Summary);
    return Text + ExitStatusHelp;
}

} // namespace

int main(int argc, char* argv[]) {
    // Standard error carries the tool's own messages and nothing else: Qt's notes about the
    // session (a missing runtime folder, fonts) would read as errors to a script.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    const QString First = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const TVerb* Verb = nullptr;
    for (const TVerb& Candidate : Verbs())
        if (First == QLatin1String(Candidate.Name))
            Verb = &Candidate;
    std::unique_ptr<QCoreApplication> App;
    if (Verb != nullptr && Verb->Draws) {
        // Drawing needs fonts, not a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (Verb->Widgets)
            App = std::make_unique<QApplication>(argc, argv);
        else
            App = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        App = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("tessmira-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSMIRA_VERSION));

    if (Verb == nullptr) {
        if (First == QLatin1String("--version") || First == QLatin1String("-v")) {
            Print(stdout,
                  QStringLiteral("tessmira-cli %1\n").arg(QStringLiteral(TESSMIRA_VERSION)));
            return 0;
        }
        if (First == QLatin1String("--help") || First == QLatin1String("-h")) {
            Print(stdout, GeneralHelp());
            return 0;
        }
        Print(stderr,
              (First.isEmpty() ? QString() : QStringLiteral("Unknown verb: %1\n\n").arg(First)) +
                  GeneralHelp());
        return ExitUsage;
    }
    // Pages are made as on a screen of 96 pixels per inch, in the locale's units, and read
    // items by their stored class name.
    TSystemFacts Facts = SystemFacts();
    Facts.PixelsPerInch = ScreenPixelsPerInch;
    OverrideSystemFacts(&Facts);
    const TStreamClassRegistration BarcodeItems(BarcodeItemClass());
    QStringList Arguments = QCoreApplication::arguments();
    Arguments.removeAt(1); // the verb's parser sees "tessmira-cli <options> <arguments>"
    try {
        return Verb->Run(Arguments);
    } catch (const TUsageError& Error) {
        Print(stderr, QStringLiteral("tessmira-cli %1: %2\nTry 'tessmira-cli %1 --help'.\n")
                          .arg(QLatin1String(Verb->Name), Error.Message));
        return ExitUsage;
    } catch (const TException& Error) {
        Print(stderr, QString::fromUtf8(Error.what()) + QLatin1Char('\n'));
        return ExitEngineError;
    }
}
