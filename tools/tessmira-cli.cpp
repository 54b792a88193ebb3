#include <QCoreApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[]) {
    QCoreApplication App(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessmira-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSMIRA_VERSION));
    QCommandLineParser Parser;
    Parser.setApplicationDescription(QStringLiteral("Tessmira without a window"));
    Parser.addHelpOption();
    Parser.addVersionOption();
    Parser.process(App);
    return 0;
}
