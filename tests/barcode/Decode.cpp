#include "Decode.h"

#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

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

namespace {

// Runs a decoder on Image saved as a PNG (its path last among Arguments) and gives back its
// output lines; a decoder that cannot run or fails (exit codes other than Accepted) fails the
// current test. One that crashes gives nothing back when Crashes is set, and fails the test
// otherwise.
std::optional<QList<QByteArray>> RunDecoder(const QString& Program, const QStringList& Arguments,
                                            const QImage& Image,
                                            std::initializer_list<int> Accepted,
                                            bool Crashes = false) {
    QTemporaryDir Dir;
    const QString Path = Dir.filePath(QStringLiteral("barcode.png"));
    if (!Dir.isValid() || !Image.save(Path, "PNG")) {
        ADD_FAILURE() << "cannot write " << Path.toStdString();
        return QList<QByteArray>();
    }
    QProcess Decoder;
    Decoder.start(Program, Arguments + QStringList{Path});
    const bool Finished = Decoder.waitForFinished(30000);
    if (Finished && Decoder.exitStatus() == QProcess::CrashExit && Crashes)
        return std::nullopt;
    if (!Finished || Decoder.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << Program.toStdString()
                      << " did not run: " << Decoder.errorString().toStdString();
        return QList<QByteArray>();
    }
    if (std::find(Accepted.begin(), Accepted.end(), Decoder.exitCode()) == Accepted.end())
        ADD_FAILURE() << Program.toStdString()
                      << " failed: " << Decoder.readAllStandardError().toStdString();
    return Decoder.readAllStandardOutput().split('\n');
}

} // namespace

std::vector<std::string> DecodeImage(const QImage& Image, const QStringList& ZbarOptions) {
    // 0: symbols found, 4: none found; anything else is a failure of the tool itself.
    std::vector<std::string> Found;
    const std::optional<QList<QByteArray>> Lines = RunDecoder(
        QStringLiteral("zbarimg"),
        QStringList{QStringLiteral("--raw"), QStringLiteral("-q")} + ZbarOptions, Image, {0, 4});
    for (const QByteArray& Line : *Lines)
        if (!Line.isEmpty())
            Found.push_back(Line.toStdString());
    return Found;
}

std::vector<std::string> DecodeImageZXing(const QImage& Image) {
    QImage Sampled = Image;
    while (std::max(Sampled.width(), Sampled.height()) > 3000)
        Sampled = Sampled.scaled(Sampled.size() / 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // ZXingReader 1.4 also aborts on an assertion where it merges what many scan lines read of
    // some symbols; the image drawn three quarters as large then reads.
    std::optional<QList<QByteArray>> Lines =
        RunDecoder(QStringLiteral("ZXingReader"), {}, Sampled, {0}, true);
    if (!Lines)
        Lines = RunDecoder(
            QStringLiteral("ZXingReader"), {},
            Sampled.scaled(Sampled.size() * 3 / 4, Qt::IgnoreAspectRatio, Qt::SmoothTransformation),
            {0});
    // Each symbol's block has a line: Text:       "the text"
    std::vector<std::string> Found;
    for (const QByteArray& Line : *Lines)
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
