#include "printing/PrintSpooler.h"

#include "common/Messages.h"
#include "common/TException.h"

#include <QFile>
#include <QTemporaryFile>
#include <QUrl>

#include <cups/cups.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

// A local scheduler answers within milliseconds; these bound one that accepts and then hangs.
constexpr int ConnectMilliseconds = 3000;
constexpr double AnswerSeconds = 4.0;

std::string ServerText() {
    return cupsServer();
}

// One connection to the scheduler whose waits end after AnswerSeconds.
class TSpoolerLink {
public:
    TSpoolerLink()
        : FHttp(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             ConnectMilliseconds, nullptr)) {
        if (FHttp == nullptr)
            throw TSpoolerError(Format(Msg::SpoolerNotRunning, {ServerText()}), false);
        httpSetTimeout(FHttp, AnswerSeconds, &TSpoolerLink::GiveUp, this);
    }
    ~TSpoolerLink() { httpClose(FHttp); }
    TSpoolerLink(const TSpoolerLink&) = delete;
    TSpoolerLink& operator=(const TSpoolerLink&) = delete;

    http_t* Http() const { return FHttp; }
    // After a call: raises when the scheduler did not answer in time.
    void Answered() const {
        if (FTimedOut)
            throw TSpoolerError(Format(Msg::SpoolerNoAnswer, {ServerText()}), true);
    }
    // Sends Request (taking it) and returns the answer, which the caller frees; null with the
    // spooler's reason in cupsLastErrorString.
    ipp_t* Ask(ipp_t* Request, const char* Resource) const {
        ipp_t* Answer = cupsDoRequest(FHttp, Request, Resource);
        if (FTimedOut) {
            ippDelete(Answer);
            Answered();
        }
        return Answer;
    }

private:
    static int GiveUp(http_t*, void* Link) {
        static_cast<TSpoolerLink*>(Link)->FTimedOut = true;
        return 0;
    }

    http_t* FHttp;
    bool FTimedOut = false;
};

struct TIppAnswer {
    ipp_t* Answer;
    ~TIppAnswer() { ippDelete(Answer); }
};

QString Text(ipp_attribute_t* Attribute, int Index = 0) {
    const char* Value = ippGetString(Attribute, Index, nullptr);
    return Value != nullptr ? QString::fromUtf8(Value) : QString();
}

std::optional<TQueueMedia> MediaOf(const char* Name) {
    if (Name == nullptr)
        return std::nullopt;
    const pwg_media_t* Media = pwgMediaForPWG(Name);
    if (Media == nullptr)
        Media = pwgMediaForPPD(Name);
    if (Media == nullptr)
        return std::nullopt;
    // PWG sizes are hundredths of a millimetre.
    return TQueueMedia{QByteArray(Name), Media->width / 10.0L, Media->length / 10.0L};
}

TQueueResolution ResolutionOf(ipp_attribute_t* Attribute, int Index) {
    int Y = 0;
    ipp_res_t Units = IPP_RES_PER_INCH;
    int X = ippGetResolution(Attribute, Index, &Y, &Units);
    if (Units == IPP_RES_PER_CM) {
        X = static_cast<int>(X * 2.54 + 0.5);
        Y = static_cast<int>(Y * 2.54 + 0.5);
    }
    return {X, Y};
}

// A media-col's size and edges, PWG's hundredths of a millimetre in native units.
struct TMediaEdges {
    long double Width = 0;
    long double Length = 0;
    long double Left = 0;
    long double Top = 0;
};

TMediaEdges EdgesOf(ipp_t* Collection) {
    TMediaEdges Edges;
    const auto Value = [](ipp_t* In, const char* Name) {
        ipp_attribute_t* A = ippFindAttribute(In, Name, IPP_TAG_INTEGER);
        return A != nullptr ? ippGetInteger(A, 0) / 10.0L : 0.0L;
    };
    if (ipp_attribute_t* Size =
            ippFindAttribute(Collection, "media-size", IPP_TAG_BEGIN_COLLECTION))
        if (ipp_t* Dimensions = ippGetCollection(Size, 0)) {
            Edges.Width = Value(Dimensions, "x-dimension");
            Edges.Length = Value(Dimensions, "y-dimension");
        }
    Edges.Left = Value(Collection, "media-left-margin");
    Edges.Top = Value(Collection, "media-top-margin");
    return Edges;
}

// The edges of the entry of Database nearest in size to Media, within half a millimetre.
void TakeEdges(TQueueMedia& Media, const std::vector<TMediaEdges>& Database) {
    const TMediaEdges* Best = nullptr;
    long double Off = 5;
    for (const TMediaEdges& E : Database) {
        const long double Now =
            std::max(std::abs(E.Width - Media.Width), std::abs(E.Length - Media.Length));
        if (Now <= Off) {
            Best = &E;
            Off = Now;
        }
    }
    if (Best != nullptr) {
        Media.LeftMargin = Best->Left;
        Media.TopMargin = Best->Top;
    }
}

void TakeAttribute(TPrinterQueue& Queue, std::vector<TMediaEdges>& Database,
                   ipp_attribute_t* Attribute) {
    const std::string Name = ippGetName(Attribute);
    const int Count = ippGetCount(Attribute);
    if (Name == "printer-name") {
        Queue.Name = Text(Attribute);
    } else if (Name == "device-uri") {
        Queue.DeviceUri = Text(Attribute);
    } else if (Name == "printer-make-and-model") {
        Queue.MakeAndModel = Text(Attribute);
    } else if (Name == "printer-resolution-default") {
        Queue.Resolution = ResolutionOf(Attribute, 0);
    } else if (Name == "printer-resolution-supported") {
        for (int I = 0; I < Count; ++I)
            Queue.Resolutions.push_back(ResolutionOf(Attribute, I));
    } else if (Name == "media-default") {
        if (const auto Media = MediaOf(ippGetString(Attribute, 0, nullptr)))
            Queue.DefaultMedia = *Media;
    } else if (Name == "media-supported") {
        for (int I = 0; I < Count; ++I)
            if (const auto Media = MediaOf(ippGetString(Attribute, I, nullptr)))
                Queue.Media.push_back(*Media);
    } else if (Name == "sides-supported") {
        for (int I = 0; I < Count; ++I)
            Queue.TwoSided |= Text(Attribute, I).startsWith(QLatin1String("two-sided"));
    } else if (Name == "printer-state") {
        const int State = ippGetInteger(Attribute, 0);
        Queue.State = State == IPP_PSTATE_STOPPED      ? qsStopped
                      : State == IPP_PSTATE_PROCESSING ? qsProcessing
                                                       : qsIdle;
    } else if (Name == "printer-state-reasons") {
        for (int I = 0; I < Count; ++I)
            if (Text(Attribute, I) != QLatin1String("none"))
                Queue.StateReasons << Text(Attribute, I);
    } else if (Name == "printer-state-message") {
        Queue.StateMessage = Text(Attribute);
    } else if (Name == "printer-is-accepting-jobs") {
        Queue.Accepting = ippGetBoolean(Attribute, 0) != 0;
    } else if (Name == "media-col-database") {
        for (int I = 0; I < Count; ++I)
            Database.push_back(EdgesOf(ippGetCollection(Attribute, I)));
    }
}

constexpr std::array<const char*, 12> QueueAttributes = {
    "printer-name",
    "device-uri",
    "printer-make-and-model",
    "printer-resolution-default",
    "printer-resolution-supported",
    "media-default",
    "media-supported",
    "sides-supported",
    "printer-state",
    "printer-state-reasons",
    "printer-is-accepting-jobs",
    "media-col-database",
};

// A length of a PPD's custom size parameter, in native units.
long double PpdLength(double Value, const QByteArray& Unit) {
    if (Unit == "in")
        return Value * 254;
    if (Unit == "cm")
        return Value * 100;
    if (Unit == "mm")
        return Value * 10;
    return Value / 72 * 254; // points
}

} // namespace

const TQueueMedia* TPrinterQueue::FindMedia(const QByteArray& MediaName) const {
    const auto Named = [&MediaName](const TQueueMedia& M) {
        if (M.Name == MediaName)
            return true;
        const pwg_media_t* Pwg = pwgMediaForPWG(M.Name.constData());
        return Pwg != nullptr && Pwg->ppd != nullptr && MediaName == Pwg->ppd;
    };
    const auto Found = std::find_if(Media.begin(), Media.end(), Named);
    return Found != Media.end() ? &*Found : nullptr;
}

std::vector<TPrinterQueue> SpoolerQueues() {
    const TSpoolerLink Link;
    ipp_t* Request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddStrings(Request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  static_cast<int>(QueueAttributes.size()), nullptr, QueueAttributes.data());
    ippAddString(Request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    const TIppAnswer Answer{Link.Ask(Request, "/")};
    std::vector<TPrinterQueue> Queues;
    // Without printers the scheduler answers "not found", with no answer to read.
    if (Answer.Answer != nullptr) {
        ipp_attribute_t* Attribute = ippFirstAttribute(Answer.Answer);
        while (Attribute != nullptr) {
            while (Attribute != nullptr && ippGetGroupTag(Attribute) != IPP_TAG_PRINTER)
                Attribute = ippNextAttribute(Answer.Answer);
            if (Attribute == nullptr)
                break;
            TPrinterQueue Queue;
            std::vector<TMediaEdges> Database;
            for (; Attribute != nullptr && ippGetGroupTag(Attribute) == IPP_TAG_PRINTER;
                 Attribute = ippNextAttribute(Answer.Answer))
                if (ippGetName(Attribute) != nullptr)
                    TakeAttribute(Queue, Database, Attribute);
            TakeEdges(Queue.DefaultMedia, Database);
            for (TQueueMedia& Media : Queue.Media)
                TakeEdges(Media, Database);
            if (!Queue.Name.isEmpty())
                Queues.push_back(std::move(Queue));
        }
    } else if (cupsLastError() > IPP_STATUS_ERROR_NOT_FOUND) {
        Raise(Msg::SpoolerError, {cupsLastErrorString()});
    }
    // The user's default (LPDEST, PRINTER, lpoptions) before the scheduler's.
    const char* DefaultName = cupsGetDefault2(Link.Http());
    Link.Answered();
    const QString Default = DefaultName != nullptr ? QString::fromUtf8(DefaultName) : QString();
    for (TPrinterQueue& Queue : Queues)
        Queue.Default = Queue.Name == Default;
    std::stable_sort(Queues.begin(), Queues.end(), [](const auto& A, const auto& B) {
        return A.Name.compare(B.Name, Qt::CaseInsensitive) < 0;
    });
    return Queues;
}

std::optional<TCustomSizes> QueueCustomSizes(const QString& Queue) {
    const TSpoolerLink Link;
    QTemporaryFile Ppd;
    if (!Ppd.open())
        return std::nullopt;
    const QByteArray Resource = "/printers/" + QUrl::toPercentEncoding(Queue) + ".ppd";
    const http_status_t Status = cupsGetFd(Link.Http(), Resource.constData(), Ppd.handle());
    Link.Answered();
    if (Status != HTTP_STATUS_OK)
        return std::nullopt; // a queue without a driver file: only what it lists
    Ppd.seek(0);
    bool Custom = false;
    TCustomSizes Sizes;
    bool HasWidth = false;
    bool HasLength = false;
    while (!Ppd.atEnd()) {
        const QByteArray Line = Ppd.readLine().trimmed();
        if (Line.startsWith("*CustomPageSize True"))
            Custom = true;
        // *ParamCustomPageSize Width: 1 points 36 576
        const bool Width = Line.startsWith("*ParamCustomPageSize Width:");
        const bool Height = Line.startsWith("*ParamCustomPageSize Height:");
        if (!Width && !Height)
            continue;
        const QList<QByteArray> Words = Line.mid(Line.indexOf(':') + 1).simplified().split(' ');
        if (Words.size() < 4)
            continue;
        const long double Min = PpdLength(Words[2].toDouble(), Words[1]);
        const long double Max = PpdLength(Words[3].toDouble(), Words[1]);
        (Width ? Sizes.MinWidth : Sizes.MinLength) = Min;
        (Width ? Sizes.MaxWidth : Sizes.MaxLength) = Max;
        (Width ? HasWidth : HasLength) = true;
    }
    if (!Custom || !HasWidth || !HasLength)
        return std::nullopt;
    return Sizes;
}

std::int32_t SpoolPrintFile(const QString& Queue, const QString& FileName, const QString& Title,
                            const std::vector<TSpoolOption>& Options) {
    const TSpoolerLink Link;
    cups_option_t* CupsOptions = nullptr;
    int Count = 0;
    for (const TSpoolOption& Option : Options)
        Count =
            cupsAddOption(Option.Name.constData(), Option.Value.constData(), Count, &CupsOptions);
    const int JobId = cupsPrintFile2(Link.Http(), Queue.toUtf8().constData(),
                                     QFile::encodeName(FileName).constData(),
                                     Title.toUtf8().constData(), Count, CupsOptions);
    cupsFreeOptions(Count, CupsOptions);
    Link.Answered();
    if (JobId <= 0)
        Raise(Msg::SpoolerRefused, {cupsLastErrorString()});
    return JobId;
}

QString QueueStoppedReason(const TPrinterQueue& Queue) {
    if (Queue.State != qsStopped)
        return {};
    if (!Queue.StateMessage.isEmpty())
        return Queue.StateMessage;
    return Queue.StateReasons.isEmpty() ? QStringLiteral("paused")
                                        : Queue.StateReasons.join(QStringLiteral(", "));
}
