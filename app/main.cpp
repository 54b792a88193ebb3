#include "app/TFormMain.h"
#include "document/StreamClasses.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <exception>

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

} // namespace

int main(int argc, char* argv[]) {
    // Documents and clipboard data create barcode items by their stored class name.
    const TStreamClassRegistration BarcodeItems(BarcodeItemClass());
    TApplication App(argc, argv);
    // Settings (recent files, the window's place) are kept under these names.
    QApplication::setOrganizationName(QStringLiteral("Tessmira"));
    QApplication::setApplicationName(QStringLiteral("Tessmira"));
    QApplication::setApplicationVersion(QStringLiteral(TESSMIRA_VERSION));
    // The desktop entry's name: the window and its launcher are one application.
    QApplication::setDesktopFileName(QStringLiteral(TESSMIRA_APP_ID));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tessmira.svg")));
    // The main window creates the barcode panel and then the page panel; closing it ends the
    // program.
    TFormMain Form;
    Form.show();
    // "tessmira FILE" opens the document, as the desktop does for .TSM files.
    const QStringList Arguments = QApplication::arguments();
    if (Arguments.size() > 1)
        Form.RunCommand([&] { Form.OpenFile(Arguments.at(1)); });
    return QApplication::exec();
}
