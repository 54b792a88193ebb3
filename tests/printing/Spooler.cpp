#include "Spooler.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <cups/cups.h>
#include <pwd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>

namespace {

// The spooler's jobs, finished ones included, handed to Visit one at a time.
template <typename TVisit> void ForEachJob(TVisit Visit) {
    cups_job_t* Jobs = nullptr;
    const int Count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &Jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    for (int I = 0; I < Count; ++I)
        Visit(Jobs[I]);
    cupsFreeJobs(Count, Jobs);
}

QByteArray RunTool(const QString& Program, const QStringList& Arguments) {
    QProcess Tool;
    Tool.start(Program, Arguments);
    if (!Tool.waitForFinished(60000) || Tool.exitStatus() != QProcess::NormalExit ||
        Tool.exitCode() != 0) {
        qWarning("%s failed: %s %s", qPrintable(Program), qPrintable(Tool.errorString()),
                 Tool.readAllStandardError().constData());
        return {};
    }
    return Tool.readAllStandardOutput();
}

} // namespace

TSilentScheduler::TSilentScheduler() : FPath(FDir.filePath(QStringLiteral("cups.sock"))) {
    FSocket = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un Address{};
    Address.sun_family = AF_UNIX;
    const QByteArray Path = QFile::encodeName(FPath);
    std::copy_n(Path.constData(), std::min<qsizetype>(Path.size(), sizeof Address.sun_path - 1),
                Address.sun_path);
    // Connections wait in the backlog, accepted by the kernel and never by anyone.
    if (FSocket < 0 || bind(FSocket, reinterpret_cast<sockaddr*>(&Address), sizeof Address) != 0 ||
        listen(FSocket, 64) != 0)
        qWarning("cannot listen on %s", qPrintable(FPath));
}

TSilentScheduler::~TSilentScheduler() {
    if (FSocket >= 0)
        close(FSocket);
}

bool RunCupsCommand(const QString& Program, const QStringList& Arguments) {
    QProcess Command;
    Command.start(Program, Arguments);
    if (!Command.waitForFinished(60000) || Command.exitStatus() != QProcess::NormalExit ||
        Command.exitCode() != 0) {
        qWarning("%s %s failed: %s", qPrintable(Program), qPrintable(Arguments.join(' ')),
                 Command.readAllStandardError().constData());
        return false;
    }
    return true;
}

void AddQueue(const QString& Name) {
    RunCupsCommand(QStringLiteral("lpadmin"),
                   {QStringLiteral("-p"), Name, QStringLiteral("-E"), QStringLiteral("-v"),
                    QStringLiteral("file:///dev/null"), QStringLiteral("-m"),
                    QStringLiteral("drv:///sample.drv/zebra.ppd")});
}

void DeleteQueue(const QString& Name) {
    RunCupsCommand(QStringLiteral("lpadmin"), {QStringLiteral("-x"), Name});
}

void SetDefaultQueue(const QString& Name) {
    RunCupsCommand(QStringLiteral("lpadmin"), {QStringLiteral("-d"), Name});
}

TNoDefaultPrinter::TNoDefaultPrinter() {
    const QString Passing = QStringLiteral("TessmiraPassing");
    AddQueue(Passing);
    SetDefaultQueue(Passing);
    DeleteQueue(Passing);
}

std::int32_t LastSpoolerJob() {
    std::int32_t Last = 0;
    ForEachJob([&Last](const cups_job_t& Job) { Last = std::max(Last, Job.id); });
    return Last;
}

std::size_t SpoolerJobCount() {
    std::size_t Count = 0;
    ForEachJob([&Count](const cups_job_t&) { ++Count; });
    return Count;
}

QString CupsPdfOutput() {
    const passwd* User = getpwuid(getuid());
    const QString Home = User != nullptr ? QString::fromLocal8Bit(User->pw_dir) : QDir::homePath();
    QString Out = QStringLiteral("${HOME}/PDF");
    QFile Conf(QStringLiteral("/etc/cups/cups-pdf-TessmiraTest.conf"));
    if (Conf.open(QIODevice::ReadOnly))
        for (const QByteArray& Line : Conf.readAll().split('\n'))
            if (Line.startsWith("Out "))
                Out = QString::fromLocal8Bit(Line.mid(4).trimmed());
    return Out.replace(QStringLiteral("${HOME}"), Home);
}

QString WaitForPrintedPdf(std::int32_t JobId) {
    for (int Tries = 0; Tries < 600; ++Tries) {
        ipp_jstate_t State = IPP_JSTATE_PENDING;
        ForEachJob([&](const cups_job_t& Job) {
            if (Job.id == JobId)
                State = Job.state;
        });
        if (State == IPP_JSTATE_CANCELED || State == IPP_JSTATE_ABORTED) {
            qWarning("job %d did not print", JobId);
            return {};
        }
        if (State == IPP_JSTATE_COMPLETED) {
            const QDir Out(CupsPdfOutput());
            const QStringList Files =
                Out.entryList({QStringLiteral("*-job_%1.pdf").arg(JobId)}, QDir::Files);
            if (Files.size() == 1)
                return Out.filePath(Files.front());
        }
        QThread::msleep(100);
    }
    qWarning("job %d wrote no PDF file into %s", JobId, qPrintable(CupsPdfOutput()));
    return {};
}

std::vector<QSizeF> PdfPageSizesMM(const QString& Pdf) {
    const QString Info = QString::fromUtf8(
        RunTool(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                            QStringLiteral("-l"), QStringLiteral("9999"), Pdf}));
    // "Page    1 size: 595.276 x 841.89 pts (A4)"
    static const QRegularExpression Size(
        QStringLiteral("^Page +\\d+ size: *([0-9.]+) x ([0-9.]+) pts"),
        QRegularExpression::MultilineOption);
    std::vector<QSizeF> Sizes;
    for (QRegularExpressionMatchIterator It = Size.globalMatch(Info); It.hasNext();) {
        const QRegularExpressionMatch M = It.next();
        constexpr double MMPerPoint = 25.4 / 72;
        Sizes.emplace_back(M.captured(1).toDouble() * MMPerPoint,
                           M.captured(2).toDouble() * MMPerPoint);
    }
    return Sizes;
}

std::vector<QImage> RasterizePdf(const QString& Pdf, int Dpi, const QRect& Crop) {
    const QTemporaryDir Dir;
    QStringList Arguments{QStringLiteral("-r"), QString::number(Dpi), QStringLiteral("-png")};
    if (!Crop.isNull())
        Arguments << QStringLiteral("-x") << QString::number(Crop.x()) << QStringLiteral("-y")
                  << QString::number(Crop.y()) << QStringLiteral("-W")
                  << QString::number(Crop.width()) << QStringLiteral("-H")
                  << QString::number(Crop.height());
    RunTool(QStringLiteral("pdftoppm"), Arguments << Pdf << Dir.filePath(QStringLiteral("page")));
    std::vector<QImage> Pages;
    QStringList Files = QDir(Dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files);
    std::sort(Files.begin(), Files.end());
    for (const QString& File : Files)
        Pages.emplace_back(QImage(Dir.filePath(File)).convertToFormat(QImage::Format_RGB32));
    return Pages;
}

QRect InkBounds(const QImage& Image, const QRect& Area) {
    QRect Bounds;
    const QRect Inside = Area & Image.rect();
    for (int Y = Inside.top(); Y <= Inside.bottom(); ++Y)
        for (int X = Inside.left(); X <= Inside.right(); ++X)
            if (qGray(Image.pixel(X, Y)) < 128)
                Bounds |= QRect(X, Y, 1, 1);
    return Bounds;
}
