#include "common/TCsvReader.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"

#include <QIODevice>

#include <string_view>

namespace {

constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";

// Fills Chunk with up to ChunkSize bytes; empty at the end of the device.
void ReadChunk(QIODevice& Source, std::string& Chunk) {
    Chunk.resize(TCsvReader::ChunkSize);
    std::int64_t Filled = 0;
    while (Filled < TCsvReader::ChunkSize) {
        const qint64 Got = Source.read(Chunk.data() + Filled, TCsvReader::ChunkSize - Filled);
        if (Got < 0)
            Raise(Msg::StreamReadError);
        if (Got == 0)
            break;
        Filled += Got;
    }
    Chunk.resize(static_cast<std::size_t>(Filled));
}

// Byte by byte, so that a sequence split between two chunks is followed across them. Valid means
// RFC 3629: no overlong forms, no surrogates, nothing above U+10FFFF.
class TUtf8Check {
public:
    void Feed(unsigned char Byte) {
        if (!FValid)
            return;
        if (FPending > 0) {
            FValid = Byte >= FLow && Byte <= FHigh;
            FLow = 0x80;
            FHigh = 0xBF;
            --FPending;
        } else if (Byte >= 0xC2 && Byte <= 0xDF) {
            Expect(1, 0x80, 0xBF);
        } else if (Byte >= 0xE0 && Byte <= 0xEF) {
            Expect(2, Byte == 0xE0 ? 0xA0 : 0x80, Byte == 0xED ? 0x9F : 0xBF);
        } else if (Byte >= 0xF0 && Byte <= 0xF4) {
            Expect(3, Byte == 0xF0 ? 0x90 : 0x80, Byte == 0xF4 ? 0x8F : 0xBF);
        } else {
            FValid = Byte < 0x80;
        }
    }
    bool Possible() const { return FValid; }
    bool Valid() const { return FValid && FPending == 0; }

private:
    void Expect(int Pending, unsigned char Low, unsigned char High) {
        FPending = Pending;
        FLow = Low;
        FHigh = High;
    }

    bool FValid = true;
    int FPending = 0;
    unsigned char FLow = 0x80;
    unsigned char FHigh = 0xBF;
};

// Counts the candidate delimiters on the header line outside quoted fields. Any candidate may open
// a field here, as the delimiter is not known yet.
class THeaderCount {
public:
    void Feed(char C) {
        switch (FState) {
        case TState::Before:
            if (C == '\r' || C == '\n')
                return;
            [[fallthrough]];
        case TState::FieldStart:
            if (C == '"') {
                FState = TState::Quoted;
                return;
            }
            break;
        case TState::Quoted:
            if (C == '"')
                FState = TState::QuoteInQuoted;
            return;
        case TState::QuoteInQuoted:
            if (C == '"') {
                FState = TState::Quoted;
                return;
            }
            break;
        case TState::Field:
            break;
        case TState::Done:
            return;
        }
        FState = TState::FieldStart;
        if (C == ',')
            ++FCommas;
        else if (C == ';')
            ++FSemicolons;
        else if (C == '\t')
            ++FTabs;
        else
            FState = C == '\r' || C == '\n' ? TState::Done : TState::Field;
    }
    bool Done() const { return FState == TState::Done; }
    // Ties go to the comma, then the semicolon.
    char Delimiter() const {
        if (FSemicolons > FCommas && FSemicolons >= FTabs)
            return ';';
        if (FTabs > FCommas && FTabs > FSemicolons)
            return '\t';
        return ',';
    }

private:
    enum class TState { Before, FieldStart, Field, Quoted, QuoteInQuoted, Done };
    TState FState = TState::Before;
    std::int64_t FCommas = 0;
    std::int64_t FSemicolons = 0;
    std::int64_t FTabs = 0;
};

struct TScan {
    bool Bom = false;
    bool Utf8 = false;
    char Delimiter = ',';
};

TScan ScanDevice(QIODevice& Source) {
    TScan Result;
    TUtf8Check Utf8;
    THeaderCount Header;
    std::string Chunk;
    for (bool First = true;; First = false) {
        ReadChunk(Source, Chunk);
        if (Chunk.empty())
            break;
        std::size_t Start = 0;
        if (First && Chunk.starts_with(Utf8Bom)) {
            Result.Bom = true;
            Start = Utf8Bom.size();
        }
        for (std::size_t I = Start; I < Chunk.size(); ++I) {
            Utf8.Feed(static_cast<unsigned char>(Chunk[I]));
            Header.Feed(Chunk[I]);
        }
        // Nothing later can change the outcome.
        if (Header.Done() && (Result.Bom || !Utf8.Possible()))
            break;
    }
    Result.Utf8 = Result.Bom || Utf8.Valid();
    Result.Delimiter = Header.Delimiter();
    return Result;
}

} // namespace

TCsvReader::TCsvReader(QIODevice& Source) : FSource(Source) {
    const TScan Scan = ScanDevice(Source);
    if (!Source.seek(0))
        Raise(Msg::StreamReadError);
    FUtf8 = Scan.Utf8;
    FDelimiter = Scan.Delimiter;
    for (std::size_t I = 0; Scan.Bom && I < Utf8Bom.size(); ++I)
        Get();
    // Blank lines before the header are passed over; they still count as lines of the file.
    SkipLineBreaks();
    if (!ReadRecord(FColumns))
        Raise(Msg::DataSourceEmpty);
}

const std::vector<QString>& TCsvReader::Columns() const {
    return FColumns;
}

char TCsvReader::Delimiter() const {
    return FDelimiter;
}

bool TCsvReader::Utf8() const {
    return FUtf8;
}

bool TCsvReader::Next(TCsvRecord& Record) {
    const std::int64_t Line = FLine;
    const bool Blank = Peek() == '\r' || Peek() == '\n';
    if (!ReadRecord(Record.Fields))
        return false;
    if (Record.Fields.size() != FColumns.size()) {
        // Blank lines that close a file of several columns are only trailing line breaks.
        if (Blank && FColumns.size() > 1) {
            SkipLineBreaks();
            if (Peek() < 0)
                return false;
        }
        Raise(Msg::DataFieldCount,
              {std::to_string(FNumber + 1), std::to_string(Line),
               std::to_string(Record.Fields.size()), std::to_string(FColumns.size())});
    }
    Record.Number = ++FNumber;
    Record.Line = Line;
    return true;
}

int TCsvReader::Peek() {
    if (FPos == FBuffer.size()) {
        ReadChunk(FSource, FBuffer);
        FPos = 0;
    }
    return FPos < FBuffer.size() ? static_cast<unsigned char>(FBuffer[FPos]) : -1;
}

int TCsvReader::Get() {
    const int C = Peek();
    if (C >= 0)
        ++FPos;
    return C;
}

bool TCsvReader::ReadRecord(std::vector<QString>& Fields) {
    if (Peek() < 0)
        return false;
    Fields.clear();
    std::string Field;
    bool FieldStart = true;
    for (;;) {
        const int C = Get();
        if (C < 0 || C == '\r' || C == '\n') {
            if (C >= 0)
                EndLine(C);
            Fields.push_back(Decode(Field));
            return true;
        }
        if (C == FDelimiter) {
            Fields.push_back(Decode(Field));
            Field.clear();
            FieldStart = true;
            continue;
        }
        if (C == '"' && FieldStart)
            ReadQuoted(Field);
        else
            Field += static_cast<char>(C);
        FieldStart = false;
    }
}

// Takes the rest of a field after its opening quote, up to the closing one.
void TCsvReader::ReadQuoted(std::string& Field) {
    const std::int64_t StartLine = FLine;
    for (;;) {
        const int C = Get();
        if (C < 0)
            Raise(Msg::DataUnclosedQuote, {std::to_string(StartLine)});
        if (C == '"') {
            if (Peek() != '"')
                return;
            Get();
        }
        Field += static_cast<char>(C);
        if (C == '\r' && Peek() == '\n')
            Field += static_cast<char>(Get());
        if (C == '\r' || C == '\n')
            ++FLine;
    }
}

void TCsvReader::EndLine(int Break) {
    if (Break == '\r' && Peek() == '\n')
        Get();
    ++FLine;
}

void TCsvReader::SkipLineBreaks() {
    while (Peek() == '\r' || Peek() == '\n')
        EndLine(Get());
}

QString TCsvReader::Decode(const std::string& Bytes) const {
    if (!FUtf8)
        return FromCp1252(Bytes);
    return QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
}
