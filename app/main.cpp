#include "app/TFormMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication App(argc, argv);
    TFormMain Form;
    Form.show();
    return QApplication::exec();
}
