#pragma once

#include "common/TException.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

// The print spooler (CUPS), asked over a connection of its own whose every wait is bounded: a
// scheduler that accepts and never answers costs a few seconds and a message, never the window.
// Each call raises "The print spooler (CUPS) is not running at ..." when nothing listens and
// "... does not answer" when the scheduler does not answer in time.

// The spooler could not be asked: Running is false when nothing listens, true when the scheduler
// took the connection but did not answer in time.
class TSpoolerError : public TException {
public:
    TSpoolerError(const std::string& Message, bool Running)
        : TException(Message), FRunning(Running) {}
    bool Running() const { return FRunning; }

private:
    bool FRunning;
};

// A paper a queue takes: its name for the spooler (a PWG media name), its width by its length
// and the edges its driver leaves unprinted, where the driver's raster begins, in native units
// (tenths of a millimetre).
struct TQueueMedia {
    QByteArray Name;
    long double Width = 0;
    long double Length = 0;
    long double LeftMargin = 0;
    long double TopMargin = 0;
};

enum TQueueState : std::uint8_t { qsIdle, qsProcessing, qsStopped };

struct TQueueResolution {
    int X = 0;
    int Y = 0;
    bool operator==(const TQueueResolution&) const = default;
};

// What the spooler tells of one queue.
struct TPrinterQueue {
    QString Name;
    bool Default = false;
    QString DeviceUri;
    QString MakeAndModel;
    // The driver's resolution, and those it offers.
    TQueueResolution Resolution;
    std::vector<TQueueResolution> Resolutions;
    TQueueMedia DefaultMedia;
    std::vector<TQueueMedia> Media;
    bool TwoSided = false;
    TQueueState State = qsIdle;
    QStringList StateReasons;
    QString StateMessage;
    bool Accepting = true;

    // The listed paper of that name (PWG, or a driver's own name such as "A4"), or nullptr.
    const TQueueMedia* FindMedia(const QByteArray& MediaName) const;
};

// The queues, ordered by name as the print dialog lists them, the user's default marked.
std::vector<TPrinterQueue> SpoolerQueues();

// The range of sizes the queue's driver takes as a custom size, in native units; none when the
// driver takes only the sizes it lists.
struct TCustomSizes {
    long double MinWidth = 0;
    long double MinLength = 0;
    long double MaxWidth = 0;
    long double MaxLength = 0;
};
std::optional<TCustomSizes> QueueCustomSizes(const QString& Queue);

// Hands a finished print file to the spooler as one job of the named queue and returns the
// spooler's job id. Raises the spooler's own reason when it refuses.
struct TSpoolOption {
    QByteArray Name;
    QByteArray Value;
    bool operator==(const TSpoolOption&) const = default;
};
std::int32_t SpoolPrintFile(const QString& Queue, const QString& FileName, const QString& Title,
                            const std::vector<TSpoolOption>& Options);

// Why a queue does not print now ("paused", the spooler's message): empty while it prints.
QString QueueStoppedReason(const TPrinterQueue& Queue);
