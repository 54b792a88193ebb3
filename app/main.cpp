#include "app/TFormMain.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "document/StreamClasses.h"
#include "printing/Printers.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string_view>

namespace {

// The last resort for an error that leaves an event handler: show it and go on, as the commands do.
class TApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* Receiver, QEvent* Event) override {
        try {
            return QApplication::notify(Receiver, Event);
        } catch (const std::exception& Error) {
            QMessageBox::critical(activeWindow(), applicationDisplayName(),
                                  QString::fromStdString(Error.what()));
        }
        return false;
    }
};

// The program's own options and arguments; Qt's (-platform, -style …) are taken off the list
// by the application object first.
void DescribeCommandLine(QCommandLineParser& Parser) {
    Parser.setApplicationDescription(QStringLiteral("Design and print pages of barcodes."));
    Parser.addHelpOption();
    Parser.addVersionOption();
    Parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("Documents to open, each in its own window."),
                                 QStringLiteral("[FILE...]"));
}

// --help and --version answer in text, also where there is no display to open.
bool AsksForText(int argc, char* argv[]) {
    constexpr std::array<std::string_view, 5> TextOptions{"-h", "--help", "--help-all", "-v",
                                                          "--version"};
    return std::any_of(argv + 1, argv + argc, [&](const char* Argument) {
        return std::find(TextOptions.begin(), TextOptions.end(), Argument) != TextOptions.end();
    });
}

void NameApplication() {
    // Settings (recent files, the window's place) are kept under these names.
    QCoreApplication::setOrganizationName(QStringLiteral("Tessmira"));
    QCoreApplication::setApplicationName(QStringLiteral("Tessmira"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSMIRA_VERSION));
}

// Parses the command line; a wrong one ends the program with status 2 and a hint, and --help and
// --version end it after their text.
void ParseCommandLine(QCommandLineParser& Parser) {
    DescribeCommandLine(Parser);
    if (!Parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "tessmira: %s\nTry 'tessmira --help'.\n",
                     qPrintable(Parser.errorText()));
        std::exit(2);
    }
    if (Parser.isSet(QStringLiteral("help")))
        Parser.showHelp(0);
    if (Parser.isSet(QStringLiteral("version")))
        Parser.showVersion();
}

} // namespace

int main(int argc, char* argv[]) {
    // Documents and clipboard data create barcode items by their stored class name.
    const TStreamClassRegistration BarcodeItems(BarcodeItemClass());
    if (AsksForText(argc, argv)) {
        const QCoreApplication Text(argc, argv);
        NameApplication();
        QCommandLineParser Parser;
        ParseCommandLine(Parser);
    }
    TApplication App(argc, argv);
    NameApplication();
    // The desktop entry's name: the window and its launcher are one application.
    QApplication::setDesktopFileName(QStringLiteral(TESSMIRA_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessmira.svg")));
    QCommandLineParser Parser;
    ParseCommandLine(Parser);
    // The main window creates the barcode panel and then the page panel; closing it ends the
    // program.
    // New pages take the default printer's paper, asked without holding up the window.
    UseSpoolerPaperForNewPages();
    TFormMain Form;
    Form.show();
    // As the desktop does for several .TSM files: one document a window, each its own program,
    // so that closing one leaves the others. They start before this one's file, whose error
    // box would hold them up.
    const QStringList Files = Parser.positionalArguments();
    for (const QString& Other : Files.mid(1))
        if (!QProcess::startDetached(QApplication::applicationFilePath(), {Other}))
            Form.RunCommand([&] { Raise(Msg::CannotStartWindow, {Other.toStdString()}); });
    if (!Files.isEmpty())
        Form.OpenStartupFile(Files.front());
    return QApplication::exec();
}
