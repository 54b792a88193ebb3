// Draws an SVG icon as the PNG sizes of the desktop's hicolor theme, at build time, so the SVG is
// the one source of every size: render-icons SVG OUTDIR NAME SIZE...
// writes OUTDIR/<SIZE>x<SIZE>/NAME.png.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s SVG OUTDIR NAME SIZE...\n", argv[0]);
        return 2;
    }
    QSvgRenderer Svg(QString::fromLocal8Bit(argv[1]));
    if (!Svg.isValid()) {
        std::fprintf(stderr, "%s: not a valid SVG file\n", argv[1]);
        return 1;
    }
    const QDir Out(QString::fromLocal8Bit(argv[2]));
    for (int I = 4; I < argc; ++I) {
        bool Ok = false;
        const int Size = QString::fromLocal8Bit(argv[I]).toInt(&Ok);
        if (!Ok || Size <= 0) {
            std::fprintf(stderr, "%s: not an icon size\n", argv[I]);
            return 2;
        }
        QImage Image(Size, Size, QImage::Format_ARGB32_Premultiplied);
        Image.fill(Qt::transparent);
        {
            QPainter Painter(&Image);
            Painter.setRenderHint(QPainter::Antialiasing);
            Svg.render(&Painter);
        }
        const QString Folder = QStringLiteral("%1x%1").arg(Size);
        const QString File = Out.filePath(Folder + QLatin1Char('/') +
                                          QString::fromLocal8Bit(argv[3]) + QStringLiteral(".png"));
        if (!Out.mkpath(Folder) || !Image.save(File, "PNG")) {
            std::fprintf(stderr, "%s: cannot write\n", qPrintable(File));
            return 1;
        }
    }
    return 0;
}
