#include "LabelPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QRegularExpression>
#include <QThread>

#include <cups/cups.h>

#include <algorithm>

namespace {

ipp_jstate_t JobState(std::int32_t JobId) {
    cups_job_t* Jobs = nullptr;
    const int Count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &Jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    ipp_jstate_t State = IPP_JSTATE_PENDING;
    for (int I = 0; I < Count; ++I)
        if (Jobs[I].id == JobId)
            State = Jobs[I].state;
    cupsFreeJobs(Count, Jobs);
    return State;
}

// A bitmap of Rows, each Bytes bytes of eight dots, the high bit leftmost, 1 black.
QImage Bitmap(const std::vector<QByteArray>& Rows, int Bytes, int Width) {
    QImage Image(std::max(1, Width), std::max<int>(1, int(Rows.size())), QImage::Format_RGB32);
    Image.fill(Qt::white);
    for (std::size_t Y = 0; Y < Rows.size(); ++Y)
        for (int X = 0; X < std::min(Width, Bytes * 8); ++X)
            if ((static_cast<unsigned char>(Rows[Y].at(X / 8)) >> (7 - X % 8)) & 1)
                Image.setPixel(X, int(Y), qRgb(0, 0, 0));
    return Image;
}

int HexValue(char C) {
    return C <= '9' ? C - '0' : C - 'A' + 10;
}

} // namespace

QByteArray WaitForPrinterFile(std::int32_t JobId, const QString& Queue) {
    const QString Out = QFileInfo(QString::fromLocal8Bit(qgetenv("CUPS_SERVER")))
                            .dir()
                            .filePath(QStringLiteral("out"));
    for (int Tries = 0; Tries < 600; ++Tries) {
        const ipp_jstate_t State = JobState(JobId);
        if (State == IPP_JSTATE_CANCELED || State == IPP_JSTATE_ABORTED ||
            State == IPP_JSTATE_STOPPED) {
            qWarning("job %d did not print", JobId);
            return {};
        }
        if (State == IPP_JSTATE_COMPLETED) {
            QFile File(QDir(Out).filePath(Queue + QStringLiteral(".prn")));
            if (File.open(QIODevice::ReadOnly))
                return File.readAll();
        }
        QThread::msleep(100);
    }
    qWarning("job %d wrote nothing for %s", JobId, qPrintable(Queue));
    return {};
}

std::vector<int> ZplPrintWidths(const QByteArray& Output) {
    std::vector<int> Widths;
    static const QRegularExpression Width(QStringLiteral("\\^PW(\\d+)"));
    for (auto It = Width.globalMatch(QString::fromLatin1(Output)); It.hasNext();)
        Widths.push_back(It.next().captured(1).toInt());
    return Widths;
}

std::vector<QImage> ZplLabels(const QByteArray& Output) {
    std::vector<QImage> Labels;
    const std::vector<int> Widths = ZplPrintWidths(Output);
    static const QRegularExpression Graphic(QStringLiteral("~DG[^,]*,(\\d+),(\\d+),"));
    const QString Text = QString::fromLatin1(Output);
    for (auto It = Graphic.globalMatch(Text); It.hasNext();) {
        const QRegularExpressionMatch M = It.next();
        const int Total = M.captured(1).toInt();
        const int Bytes = M.captured(2).toInt();
        if (Bytes <= 0)
            break;
        std::vector<QByteArray> Rows;
        QByteArray Row;
        int Count = 0;
        int Nibbles = 0; // hex digits of the row so far
        const auto Put = [&](int Value, int Times) {
            for (int I = 0; I < Times && Nibbles < 2 * Bytes; ++I, ++Nibbles) {
                if (Nibbles % 2 == 0)
                    Row.append(char(Value << 4));
                else
                    Row.back() = char(Row.back() | Value);
            }
        };
        const auto EndRow = [&] {
            Row.resize(Bytes, '\0');
            Rows.push_back(Row);
            Row.clear();
            Nibbles = 0;
        };
        for (qsizetype I = M.capturedEnd(); I < Output.size() && int(Rows.size()) * Bytes < Total;
             ++I) {
            const char C = Output[I];
            if (C >= 'G' && C <= 'Y') {
                Count += C - 'G' + 1;
            } else if (C >= 'g' && C <= 'z') {
                Count += (C - 'g' + 1) * 20;
            } else if ((C >= '0' && C <= '9') || (C >= 'A' && C <= 'F')) {
                Put(HexValue(C), std::max(1, Count));
                Count = 0;
                if (Nibbles == 2 * Bytes)
                    EndRow();
            } else if (C == ',' || C == '!') {
                Put(C == ',' ? 0 : 15, 2 * Bytes);
                EndRow();
                Count = 0;
            } else if (C == ':') {
                Rows.push_back(Rows.empty() ? QByteArray(Bytes, '\0') : Rows.back());
                Count = 0;
            } else if (C == '^' || C == '~') {
                break;
            }
        }
        const int Width = Labels.size() < Widths.size() ? Widths[Labels.size()] : Bytes * 8;
        Labels.push_back(Bitmap(Rows, Bytes, Width));
    }
    return Labels;
}

std::vector<QImage> DymoLabels(const QByteArray& Output, QPoint Origin, QSize Sheet) {
    std::vector<QImage> Labels;
    std::vector<QByteArray> Rows;
    int Bytes = 0;
    const auto Byte = [&Output](qsizetype I) {
        return I < Output.size() ? static_cast<unsigned char>(Output[I]) : 0;
    };
    for (qsizetype I = 0; I < Output.size();) {
        const unsigned char C = Byte(I);
        if (C == 0x16) { // a row
            Rows.push_back(Output.mid(I + 1, Bytes).leftJustified(Bytes, '\0'));
            I += 1 + Bytes;
        } else if (C == 0x1B) {
            const unsigned char Command = Byte(I + 1);
            if (Command == 'D') {
                Bytes = Byte(I + 2);
                I += 3;
            } else if (Command == 'f') {
                Rows.insert(Rows.end(), Byte(I + 3), QByteArray(Bytes, '\0'));
                I += 4;
            } else if (Command == 'L') {
                I += 4;
            } else if (Command == 'E') {
                QImage Label(Sheet, QImage::Format_RGB32);
                Label.fill(Qt::white);
                QPainter(&Label).drawImage(Origin, Bitmap(Rows, Bytes, Bytes * 8));
                Labels.push_back(Label);
                Rows.clear();
                I += 2;
            } else if (Command == 'q' || Command == 'B') {
                I += 3;
            } else {
                I += 2; // ESC @, ESC e and the like take no argument
            }
        } else {
            ++I;
        }
    }
    return Labels;
}

std::vector<int> RunLengths(const QImage& Image, int Y, int X0, int X1) {
    std::vector<int> Runs;
    bool Dark = false;
    for (int X = X0; X < X1; ++X) {
        const bool Now = qGray(Image.pixel(X, Y)) < 128;
        if (X == X0 || Now != Dark)
            Runs.push_back(0);
        Dark = Now;
        ++Runs.back();
    }
    return Runs;
}
