#pragma once

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

class QIODevice;

// One record of delimited text: its fields, its number among the records (1-based, the header
// not counted) and the line of the file it starts on (1-based, the header is line 1).
struct TCsvRecord {
    std::vector<QString> Fields;
    std::int64_t Number = 0;
    std::int64_t Line = 0;
};

class TCsvReader {
public:
    // Bytes read from the device at a time, by the encoding scan and by the reader.
    static constexpr std::int64_t ChunkSize = 64 * 1024;

    // Reads the header line of Source, which must be open for reading and seekable (the reader
    // first scans the whole device once to decide the encoding, then seeks back to the start).
    explicit TCsvReader(QIODevice& Source);
    const std::vector<QString>& Columns() const;
    char Delimiter() const; // ',', ';' or '\t'
    bool Utf8() const;      // false: Windows-1252
    // The next record; false after the last one. Memory does not grow with the number of records.
    bool Next(TCsvRecord& Record);

private:
    int Peek();
    int Get();
    bool ReadRecord(std::vector<QString>& Fields);
    void ReadQuoted(std::string& Field);
    void EndLine(int Break);
    void SkipLineBreaks();
    QString Decode(const std::string& Bytes) const;

    QIODevice& FSource;
    std::string FBuffer;
    std::size_t FPos = 0;
    std::int64_t FLine = 1;
    std::int64_t FNumber = 0;
    std::vector<QString> FColumns;
    char FDelimiter = ',';
    bool FUtf8 = true;
};
