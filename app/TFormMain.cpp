#include "app/TFormMain.h"

TFormMain::TFormMain(QWidget* Parent) : QMainWindow(Parent) {
    setWindowTitle(QStringLiteral("Tessmira"));
    resize(720, 550);
}
