#include "printing/Printers.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/PrinterPaper.h"
#include "document/TPagePrinterSettings.h"

#include <QCoreApplication>
#include <QPrinter>
#include <QPrinterInfo>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace {

std::unique_ptr<QPrinter>& TheApplicationPrinter() {
    static std::unique_ptr<QPrinter> Printer;
    return Printer;
}

// A printer object must go before the application that its engine draws with.
void DropApplicationPrinter() {
    TheApplicationPrinter().reset();
}

TPrinterPaper AskSpoolerPaper() {
    const std::vector<TPrinterQueue> Queues = SpoolerQueues();
    if (Queues.empty())
        return {};
    const TPrinterQueue* Default = DefaultQueue(Queues);
    if (Default == nullptr || Default->DefaultMedia.Width <= 0 || Default->DefaultMedia.Length <= 0)
        return {TPaperSize::Default};
    const long double Width = Default->DefaultMedia.Width / 10;
    const long double Length = Default->DefaultMedia.Length / 10;
    return {PaperSizeOfDimensions(Width, Length), Width, Length};
}

// The default printer's paper, asked on a thread of its own so that making a page never waits
// for the spooler: only the first page of the program waits, briefly, for the first answer;
// later pages take the last answer while a fresh one is asked for.
class TPaperWatch {
public:
    TPrinterPaper Paper() {
        std::unique_lock Lock(FState->Mutex);
        const auto Now = std::chrono::steady_clock::now();
        if (!FState->Asking && (!FState->Known || Now - FState->AskedAt > Fresh)) {
            FState->Asking = true;
            FState->AskedAt = Now;
            std::thread([State = FState] {
                TPrinterPaper Answer;
                try {
                    Answer = AskSpoolerPaper();
                } catch (const TException&) {
                    // No spooler to ask: A4, as without printers.
                }
                const std::lock_guard Done(State->Mutex);
                State->Known = Answer;
                State->Asking = false;
                State->Answered.notify_all();
            }).detach();
        }
        if (!FState->Known && !FState->Waited) {
            FState->Waited = true;
            FState->Answered.wait_for(Lock, FirstWait,
                                      [this] { return FState->Known.has_value(); });
        }
        return FState->Known.value_or(TPrinterPaper{});
    }

private:
    static constexpr auto Fresh = std::chrono::seconds(2);
    static constexpr auto FirstWait = std::chrono::milliseconds(1500);
    struct TState {
        std::mutex Mutex;
        std::condition_variable Answered;
        std::optional<TPrinterPaper> Known;
        bool Asking = false;
        bool Waited = false;
        std::chrono::steady_clock::time_point AskedAt;
    };
    // Shared with a question still open when the program ends.
    std::shared_ptr<TState> FState = std::make_shared<TState>();
};

} // namespace

QStringList PrinterNames(const std::vector<TPrinterQueue>& Queues) {
    QStringList Names;
    for (const TPrinterQueue& Queue : Queues)
        Names << Queue.Name;
    return Names;
}

std::int32_t PrinterIndex(const std::vector<TPrinterQueue>& Queues, const QString& Name) {
    for (std::size_t I = 0; I < Queues.size(); ++I)
        if (Queues[I].Name == Name)
            return static_cast<std::int32_t>(I);
    return -1;
}

const TPrinterQueue* DefaultQueue(const std::vector<TPrinterQueue>& Queues) {
    for (const TPrinterQueue& Queue : Queues)
        if (Queue.Default)
            return &Queue;
    return nullptr;
}

bool PrinterToChoose(const TPagePrinterSettings& Settings,
                     const std::vector<TPrinterQueue>& Queues) {
    return !Queues.empty() && Settings.PrinterName.empty() && Settings.PrinterIndex == -1 &&
           DefaultQueue(Queues) == nullptr;
}

const TPrinterQueue& PagePrinter(TPagePrinterSettings& Settings,
                                 const std::vector<TPrinterQueue>& Queues) {
    if (Queues.empty())
        Raise(Msg::NoPrinterInstalled);
    if (!Settings.PrinterName.empty()) {
        const std::int32_t Index =
            PrinterIndex(Queues, QString::fromStdString(Settings.PrinterName));
        if (Index < 0)
            Raise(Msg::PrinterGone, {Settings.PrinterName});
        Settings.PrinterIndex = Index;
        return Queues[static_cast<std::size_t>(Index)];
    }
    if (Settings.PrinterIndex == -1) {
        const TPrinterQueue* Default = DefaultQueue(Queues);
        if (Default == nullptr)
            Raise(Msg::NoDefaultPrinterChoose,
                  {PrinterNames(Queues).join(QStringLiteral(", ")).toStdString()});
        return *Default;
    }
    if (Settings.PrinterIndex < 0 ||
        static_cast<std::size_t>(Settings.PrinterIndex) >= Queues.size())
        Raise(Msg::PrinterIndexOutOfRange);
    const TPrinterQueue& Queue = Queues[static_cast<std::size_t>(Settings.PrinterIndex)];
    Settings.PrinterName = Queue.Name.toStdString();
    return Queue;
}

QPrinter& ApplicationPrinter() {
    std::unique_ptr<QPrinter>& Printer = TheApplicationPrinter();
    if (!Printer) {
        const std::vector<TPrinterQueue> Queues = SpoolerQueues();
        const TPrinterQueue* Default = DefaultQueue(Queues);
        Printer = Default == nullptr
                      ? std::make_unique<QPrinter>(QPrinter::HighResolution)
                      : std::make_unique<QPrinter>(QPrinterInfo::printerInfo(Default->Name),
                                                   QPrinter::HighResolution);
        qAddPostRoutine(DropApplicationPrinter);
    }
    return *Printer;
}

void SelectApplicationPrinter(const QString& Name) {
    if (ApplicationPrinter().printerState() == QPrinter::Active)
        Raise(Msg::PrintingInProgress);
    if (PrinterIndex(SpoolerQueues(), Name) < 0)
        Raise(Msg::UnknownPrinter, {Name.toStdString()});
    auto Printer =
        std::make_unique<QPrinter>(QPrinterInfo::printerInfo(Name), QPrinter::HighResolution);
    if (!Printer->isValid())
        Raise(Msg::PrinterNotValid);
    TheApplicationPrinter() = std::move(Printer);
}

void UseSpoolerPaperForNewPages() {
    static TPaperWatch Watch;
    SetPrinterPaperProvider([] { return Watch.Paper(); });
}
