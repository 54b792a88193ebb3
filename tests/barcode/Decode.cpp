#include "Decode.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr)
        return;
    // Lives until the process ends; destroying it after the tests would outlive the fonts.
    static int Argc = 1;
    static char Name[] = "tessmira-tests";
    static char* Argv[] = {Name, nullptr};
    new QGuiApplication(Argc, Argv);
}

QImage DrawBarcode(TBarcodeEngine& E, double Angle, int PixelsPerModule, int QuietModules,
                   bool ShowText) {
    EnsureGuiApplication();
    E.SetAngle(Angle);
    const int Length = E.Width() * PixelsPerModule;
    const int Depth = 50 * PixelsPerModule;
    const int Quiet = QuietModules * PixelsPerModule;
    const bool Upright = Angle == 0 || Angle == 180;
    const QSize Box = Upright ? QSize(Length, Depth) : QSize(Depth, Length);
    QImage Image(Box + QSize(2 * Quiet, 2 * Quiet), QImage::Format_RGB32);
    Image.fill(Qt::white);
    QPainter Painter(&Image);
    E.PaintBarcode(Painter, QRect(QPoint(Quiet, Quiet), Box), ShowText);
    return Image;
}

QImage OnWhitePage(const QImage& Image, int Margin) {
    QImage Page(Image.size() + QSize(2 * Margin, 2 * Margin), QImage::Format_RGB32);
    Page.fill(Qt::white);
    QPainter(&Page).drawImage(Margin, Margin, Image);
    return Page;
}

std::vector<std::string> DecodeImage(const QImage& Image, const QStringList& ZbarOptions) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("barcode.png"));
    if (!Dir.isValid() || !Image.save(Path, "PNG")) {
        ADD_FAILURE() << "cannot write " << Path.toStdString();
        return {};
    }
    QProcess Zbar;
    Zbar.start(QStringLiteral("zbarimg"),
               QStringList{QStringLiteral("--raw"), QStringLiteral("-q")} + ZbarOptions +
                   QStringList{Path});
    if (!Zbar.waitForFinished(30000) || Zbar.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "zbarimg did not run: " << Zbar.errorString().toStdString();
        return {};
    }
    // 0: symbols found, 4: none found; anything else is a failure of the tool itself.
    if (Zbar.exitCode() != 0 && Zbar.exitCode() != 4)
        ADD_FAILURE() << "zbarimg failed: " << Zbar.readAllStandardError().toStdString();
    std::vector<std::string> Found;
    for (const QByteArray& Line : Zbar.readAllStandardOutput().split('\n'))
        if (!Line.isEmpty())
            Found.push_back(Line.toStdString());
    return Found;
}

std::vector<std::string> DecodeImageZXing(const QImage& Image) {
    QImage Sampled = Image;
    while (std::max(Sampled.width(), Sampled.height()) > 3000)
        Sampled = Sampled.scaled(Sampled.size() / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("barcode.png"));
    if (!Dir.isValid() || !Sampled.save(Path, "PNG")) {
        ADD_FAILURE() << "cannot write " << Path.toStdString();
        return {};
    }
    QProcess Reader;
    Reader.start(QStringLiteral("ZXingReader"), {Path});
    if (!Reader.waitForFinished(30000) || Reader.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "ZXingReader did not run: " << Reader.errorString().toStdString();
        return {};
    }
    // Each symbol's block has a line: Text:       "the text"
    std::vector<std::string> Found;
    for (const QByteArray& Line : Reader.readAllStandardOutput().split('\n'))
        if (Line.startsWith("Text:")) {
            const qsizetype First = Line.indexOf('"');
            const qsizetype Last = Line.lastIndexOf('"');
            if (First >= 0 && Last > First)
                Found.push_back(Line.mid(First + 1, Last - First - 1).toStdString());
        }
    return Found;
}

std::vector<std::string> DecodeDrawn(TBarcodeEngine& E, double Angle, int PixelsPerModule,
                                     const QStringList& ZbarOptions) {
    return DecodeImage(DrawBarcode(E, Angle, PixelsPerModule), ZbarOptions);
}
