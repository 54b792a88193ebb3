#include "document/TDataMerge.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "document/DocumentStream.h"
#include "document/TBarcodeItem.h"
#include "document/TReportPage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// The number column of a sequence, and the record number everywhere else.
const QString NumberColumn = QStringLiteral("#");
const QString SequencePrefix = QStringLiteral("sequence:");
// Enough for any roll of labels; a typing slip of a few digits is refused, not printed.
constexpr std::int64_t MaxSequenceNumbers = 1000000;

std::string Decimal(std::int64_t Value) {
    return std::to_string(Value);
}

class TCsvSource final : public TDataSource {
public:
    explicit TCsvSource(std::unique_ptr<QFile> File) : FFile(std::move(File)) { Rewind(); }
    const std::vector<QString>& Columns() const override { return FReader->Columns(); }
    void Rewind() override {
        FReader.reset();
        FFile->seek(0);
        FReader = std::make_unique<TCsvReader>(*FFile);
    }
    bool Next(TCsvRecord& Record) override { return FReader->Next(Record); }

private:
    std::unique_ptr<QFile> FFile;
    std::unique_ptr<TCsvReader> FReader;
};

class TSequenceSource final : public TDataSource {
public:
    TSequenceSource(std::int64_t From, std::int64_t Step, std::int64_t Count)
        : FFrom(From), FStep(Step), FCount(Count) {}
    const std::vector<QString>& Columns() const override { return FColumns; }
    void Rewind() override { FDone = 0; }
    bool Next(TCsvRecord& Record) override {
        if (FDone == FCount)
            return false;
        Record.Fields = {QString::number(FFrom + FDone * FStep)};
        Record.Number = ++FDone;
        Record.Line = 0;
        return true;
    }
    bool Sequence() const override { return true; }

private:
    std::vector<QString> FColumns{NumberColumn};
    std::int64_t FFrom;
    std::int64_t FStep;
    std::int64_t FCount;
    std::int64_t FDone = 0;
};

// Standard input copied to a file of its own, so that the check and the run each read it whole
// without holding it in memory.
std::unique_ptr<QFile> SpooledInput() {
    auto Spool = std::make_unique<QTemporaryFile>();
    QFile In;
    if (!Spool->open() || !In.open(stdin, QIODevice::ReadOnly))
        Raise(Msg::StreamReadError);
    for (;;) {
        const QByteArray Chunk = In.read(TCsvReader::ChunkSize);
        if (Chunk.isEmpty())
            break;
        if (Spool->write(Chunk) != Chunk.size())
            Raise(Msg::StreamWriteError);
    }
    if (In.error() != QFileDevice::NoError)
        Raise(Msg::StreamReadError);
    return Spool;
}

// "${name}", "${#}" and "${#:6}" in a title row, with what stands in their place.
struct TPlaceholder {
    std::size_t Start = 0;
    std::size_t End = 0; // past the closing brace
    QString Column;
    int Width = 0;                    // "${#:6}": zero-padded to six
    std::optional<std::size_t> Index; // the column in the source; none: the record's number
};

std::vector<TPlaceholder> Placeholders(const std::string& Text) {
    std::vector<TPlaceholder> Found;
    for (std::size_t At = Text.find("${"); At != std::string::npos; At = Text.find("${", At)) {
        const std::size_t Close = Text.find('}', At + 2);
        if (Close == std::string::npos)
            break;
        TPlaceholder P{At, Close + 1, FromCp1252(Text.substr(At + 2, Close - At - 2)), 0, {}};
        if (P.Column.startsWith(QStringLiteral("#:"))) {
            bool Ok = false;
            const int Width = P.Column.mid(2).toInt(&Ok);
            if (Ok && Width > 0 && Width <= 20) {
                P.Column = NumberColumn;
                P.Width = Width;
            }
        }
        Found.push_back(P);
        At = Close + 1;
    }
    return Found;
}

} // namespace

std::unique_ptr<TDataSource> OpenDataFile(const QString& Path) {
    if (Path == QLatin1String("-"))
        return std::make_unique<TCsvSource>(SpooledInput());
    auto File = std::make_unique<QFile>(Path);
    if (!File->open(QIODevice::ReadOnly))
        Raise(Msg::CannotOpenFile, {QFileInfo(Path).absoluteFilePath().toStdString(),
                                    File->errorString().toStdString()});
    return std::make_unique<TCsvSource>(std::move(File));
}

std::unique_ptr<TDataSource> NumberSequence(const QString& Text) {
    const QStringList Parts = Text.split(QLatin1Char(':'));
    std::int64_t Values[3] = {0, 0, 1};
    bool Ok = Parts.size() == 2 || Parts.size() == 3;
    for (qsizetype I = 0; Ok && I < Parts.size(); ++I)
        Values[I] = Parts[I].toLongLong(&Ok);
    const auto [From, To, Step] = Values;
    // Within half the range, so that no difference below overflows.
    constexpr std::int64_t Limit = std::int64_t{1} << 62;
    Ok = Ok && Step != 0 && std::abs(From) < Limit && std::abs(To) < Limit &&
         std::abs(Step) < Limit && (To - From) / Step >= 0;
    if (!Ok)
        Raise(Msg::InvalidSequence, {Text.toStdString()});
    const std::int64_t Count = (To - From) / Step + 1;
    if (Count > MaxSequenceNumbers)
        Raise(Msg::SequenceTooLong, {Decimal(MaxSequenceNumbers)});
    return std::make_unique<TSequenceSource>(From, Step, Count);
}

QString SequenceDataSource(const QString& Sequence) {
    return SequencePrefix + Sequence;
}

QString MovedDataSource(const QString& Source, const QString& From, const QString& To) {
    if (Source.isEmpty() || Source.startsWith(SequencePrefix) || QDir::isAbsolutePath(Source))
        return Source;
    return QDir(To).relativeFilePath(QDir(From).absoluteFilePath(Source));
}

std::unique_ptr<TDataSource> OpenPageSource(const TReportPage& Page, const QString& Folder) {
    const QString& Source = Page.DataSource();
    if (Source.isEmpty())
        return nullptr;
    if (Source.startsWith(SequencePrefix))
        return NumberSequence(Source.mid(SequencePrefix.size()));
    return OpenDataFile(QDir(Folder).filePath(Source));
}

bool MergeBinds(const TBarcodeItem& Item) {
    return !Item.DataField().isEmpty() || !Placeholders(Item.TitleRow1()).empty() ||
           !Placeholders(Item.TitleRow2()).empty();
}

// A barcode item the records reach: its field's column, and its title rows as written.
struct TMergeRun::TBinding {
    TBarcodeItem* Item = nullptr;
    std::optional<std::size_t> Field; // the column of the barcode text; none: the record number
    QString FieldName;
    std::string Titles[2];
    std::vector<TPlaceholder> Holes[2];
};

TMergeRun::TMergeRun(TReportPage& Page, TDataSource& Source)
    : FPage(Page), FSource(Source), FPerItem(Page.MergeMode() == mmRecordPerItem) {
    const std::vector<QString>& Columns = Source.Columns();
    // A column the data lacks stops the run; "#" is always there, as the record's number.
    const auto ColumnOf = [&](const QString& Name) -> std::optional<std::size_t> {
        const auto It = std::find(Columns.begin(), Columns.end(), Name);
        if (It != Columns.end())
            return static_cast<std::size_t>(It - Columns.begin());
        if (Name == NumberColumn)
            return std::nullopt;
        Raise(Source.Sequence() ? Msg::SequenceColumnMissing : Msg::DataColumnMissing,
              {Name.toStdString()});
    };
    for (TPrintable* Printable : PageItems(Page)) {
        auto* Item = qobject_cast<TBarcodeItem*>(Printable);
        if (Item == nullptr || !MergeBinds(*Item))
            continue;
        auto Binding = std::make_unique<TBinding>();
        Binding->Item = Item;
        Binding->FieldName = Item->DataField();
        if (!Binding->FieldName.isEmpty())
            Binding->Field = ColumnOf(Binding->FieldName);
        Binding->Titles[0] = Item->TitleRow1();
        Binding->Titles[1] = Item->TitleRow2();
        for (int Row = 0; Row < 2; ++Row) {
            Binding->Holes[Row] = Placeholders(Binding->Titles[Row]);
            for (TPlaceholder& Hole : Binding->Holes[Row])
                Hole.Index = ColumnOf(Hole.Column);
        }
        FBindings.push_back(std::move(Binding));
    }
    if (FBindings.empty())
        Raise(Msg::DataNotUsed);
}

TMergeRun::~TMergeRun() = default;

namespace {

// A column's value in Record, or its number, zero-padded to Width.
QString ValueOf(const TCsvRecord& Record, std::optional<std::size_t> Index, int Width) {
    QString Text = Index ? Record.Fields[*Index] : QString::number(Record.Number);
    return Width > 0 ? Text.rightJustified(Width, QLatin1Char('0')) : Text;
}

} // namespace

void TMergeRun::FillTitles(TBinding& Binding, const TCsvRecord& Record) {
    for (int Row = 0; Row < 2; ++Row) {
        if (Binding.Holes[Row].empty())
            continue;
        std::string Title;
        std::size_t From = 0;
        for (const TPlaceholder& Hole : Binding.Holes[Row]) {
            Title += Binding.Titles[Row].substr(From, Hole.Start - From);
            Title += ToCp1252(ValueOf(Record, Hole.Index, Hole.Width));
            From = Hole.End;
        }
        Title += Binding.Titles[Row].substr(From);
        if (Row == 0)
            Binding.Item->SetTitleRow1(Title);
        else
            Binding.Item->SetTitleRow2(Title);
    }
}

void TMergeRun::FillText(TBinding& Binding, const TCsvRecord& Record, bool Trying) {
    if (Binding.FieldName.isEmpty())
        return;
    const auto Failed = [&](std::string_view Why) {
        const std::string Where = FSource.Sequence() ? "number " + Record.Fields[0].toStdString()
                                                     : "line " + Decimal(Record.Line);
        Raise(Msg::DataRecordRejected,
              {Decimal(Record.Number), Where, Binding.FieldName.toStdString(), Why});
    };
    const QString Text = ValueOf(Record, Binding.Field, 0);
    const std::string Bytes = ToCp1252(Text);
    // The barcode would hold "?" where the value has a character it cannot carry.
    if (FromCp1252(Bytes) != Text)
        Failed(Msg::DataNot1252);
    try {
        Binding.Item->SetBarcodeText(Bytes);
        if (Trying) {
            TBarcodeEngine Engine = Binding.Item->Barcode();
            Engine.EncodePattern();
        }
    } catch (const TException& Error) {
        Failed(Error.what());
    }
}

void TMergeRun::Apply(TBinding& Binding, const TCsvRecord& Record, bool Trying) {
    FillTitles(Binding, Record);
    FillText(Binding, Record, Trying);
}

void TMergeRun::ShowRecord(const TCsvRecord& Record) {
    for (const std::unique_ptr<TBinding>& Binding : FBindings) {
        FillTitles(*Binding, Record);
        try {
            FillText(*Binding, Record, true);
        } catch (const TException&) {
            // Shown as it is stored: a record is only looked at here.
        }
    }
}

void TMergeRun::Check() {
    FSource.Rewind();
    TCsvRecord Record;
    std::int64_t Records = 0;
    while (FSource.Next(Record)) {
        if (FPerItem)
            Apply(*FBindings[static_cast<std::size_t>(Records) % FBindings.size()], Record, true);
        else
            for (const std::unique_ptr<TBinding>& Binding : FBindings)
                Apply(*Binding, Record, true);
        ++Records;
    }
    if (Records == 0)
        Raise(Msg::DataNoRecords);
    const auto PerSheet = static_cast<std::int64_t>(FPerItem ? FBindings.size() : 1);
    FSheets = (Records + PerSheet - 1) / PerSheet;
    FSource.Rewind();
    FDone = false;
}

bool TMergeRun::NextSheet() {
    if (FDone)
        return false;
    TCsvRecord Record;
    if (!FPerItem) {
        if (!FSource.Next(Record)) {
            FDone = true;
            return false;
        }
        for (const std::unique_ptr<TBinding>& Binding : FBindings)
            Apply(*Binding, Record, false);
        return true;
    }
    for (std::size_t I = 0; I < FBindings.size(); ++I) {
        if (!FSource.Next(Record)) {
            FDone = true;
            if (I == 0)
                return false;
            // The last sheet's places without a record stay empty.
            for (std::size_t Left = I; Left < FBindings.size(); ++Left)
                delete FBindings[Left]->Item;
            FBindings.resize(I);
            return true;
        }
        Apply(*FBindings[I], Record, false);
    }
    return true;
}
