#include "common/TCsvReader.h"
#include "common/TException.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

struct TReadAll {
    std::vector<QString> Columns;
    std::vector<TCsvRecord> Records;
    char Delimiter = 0;
    bool Utf8 = false;
};

TReadAll ReadAll(const std::string& Input) {
    QByteArray Bytes(Input.data(), static_cast<qsizetype>(Input.size()));
    QBuffer Buffer(&Bytes);
    Buffer.open(QIODevice::ReadOnly);
    TCsvReader Reader(Buffer);
    TReadAll Result{Reader.Columns(), {}, Reader.Delimiter(), Reader.Utf8()};
    for (TCsvRecord Record; Reader.Next(Record);)
        Result.Records.push_back(Record);
    return Result;
}

QString U(const char* Utf8) {
    return QString::fromUtf8(Utf8);
}

} // namespace

TEST(CsvReader, ReadsColumnsRecordsDelimiterAndEncoding) {
    struct TRecordRow {
        std::vector<QString> Fields;
        std::int64_t Line;
    };
    struct TRow {
        const char* Name;
        std::string Input;
        std::vector<QString> Columns;
        std::vector<TRecordRow> Records;
        char Delimiter;
        bool Utf8;
    };
    // The field crosses the second chunk border inside the two bytes of "é" (C3 A9, RFC 3629).
    const std::string Long(2 * TCsvReader::ChunkSize - 4, 'x');
    // clang-format off
    const TRow Rows[] = {
        // RFC 4180 2.1, 2.2 and 2.3: CRLF records, the last one with or without a line break.
        {"Rfc2_1", "h,i,j\r\naaa,bbb,ccc\r\nzzz,yyy,xxx\r\n", {"h", "i", "j"},
         {{{"aaa", "bbb", "ccc"}, 2}, {{"zzz", "yyy", "xxx"}, 3}}, ',', true},
        {"Rfc2_2", "h,i\r\naaa,bbb\r\nzzz,yyy", {"h", "i"},
         {{{"aaa", "bbb"}, 2}, {{"zzz", "yyy"}, 3}}, ',', true},
        // RFC 4180 2.5, 2.6, 2.7: quotes, line breaks and commas inside quotes, "" for one quote.
        {"Rfc2_5", "\"h\",\"i\"\r\n\"aaa\",\"bbb\"\r\n", {"h", "i"}, {{{"aaa", "bbb"}, 2}}, ',', true},
        {"Rfc2_6", "h,i,j\r\n\"aaa\",\"b\r\nbb\",\"c,c\"\r\nzzz,yyy,xxx\r\n", {"h", "i", "j"},
         {{{"aaa", "b\r\nbb", "c,c"}, 2}, {{"zzz", "yyy", "xxx"}, 4}}, ',', true},
        {"Rfc2_7", "h,i\r\n\"aaa\",\"b\"\"bb\"\r\n", {"h", "i"}, {{{"aaa", "b\"bb"}, 2}}, ',', true},
        // Rules: LF and a lone CR end records too; text after a closing quote is appended, a
        // quote inside an unquoted field is a character.
        {"LfAndCr", "a,b\n1,2\r3,4\r\n\"5\"x,6\"y\n", {"a", "b"},
         {{{"1", "2"}, 2}, {{"3", "4"}, 3}, {{"5x", "6\"y"}, 4}}, ',', true},
        // Rules: the most frequent of , ; tab outside quotes on the header line, ties to ','.
        {"Semicolon", "a;b,c;d\n1;2,3;4\n", {"a", "b,c", "d"}, {{{"1", "2,3", "4"}, 2}}, ';', true},
        {"Tab", "a\tb", {"a", "b"}, {}, '\t', true},
        {"Tie", "a,b;c\n1,2;3\n", {"a", "b;c"}, {{{"1", "2;3"}, 2}}, ',', true},
        {"QuotedHeader", "\"a,b,c\";d\n1;2\n", {"a,b,c", "d"}, {{{"1", "2"}, 2}}, ';', true},
        // Rules: a BOM means UTF-8 and is not part of the name; valid UTF-8 throughout means UTF-8.
        {"Bom", "\xEF\xBB\xBFname,city\ncaf\xC3\xA9,x\n", {"name", "city"},
         {{{U("caf\u00E9"), "x"}, 2}}, ',', true},
        {"Utf8", "name\ncaf\xC3\xA9\n", {"name"}, {{{U("caf\u00E9")}, 2}}, ',', true},
        // Windows-1252 chart: E9 is é, 80 is €, C3 is Ã, A9 is ©, C0 is À, AF is ¯; one invalid
        // sequence anywhere (a lone E9, the overlong C0 AF of RFC 3629 10) decides for the file.
        {"Cp1252", "name\ncaf\xE9 \x80\n", {"name"}, {{{U("caf\u00E9 \u20AC")}, 2}}, ',', false},
        {"Cp1252Late", "name\ncaf\xC3\xA9\n\xE9\n", {"name"},
         {{{U("caf\u00C3\u00A9")}, 2}, {{U("\u00E9")}, 3}}, ',', false},
        {"Overlong", "name\n\xC0\xAF\n", {"name"}, {{{U("\u00C0\u00AF")}, 2}}, ',', false},
        // Rules: empty fields and a single column's empty lines are records, trailing empty
        // lines of several columns are not; line breaks before the header count as lines.
        {"EmptyFields", "a,b,c\n1,,\n,,\n\r\n\r", {"a", "b", "c"},
         {{{"1", "", ""}, 2}, {{"", "", ""}, 3}}, ',', true},
        {"EmptyLines", "\r\n\nname\nx\n\ny\n\n", {"name"},
         {{{"x"}, 4}, {{""}, 5}, {{"y"}, 6}, {{""}, 7}}, ',', true},
        {"Chunks", "h\n\"" + Long + "\xC3\xA9\"\nz", {"h"},
         {{{QString::fromStdString(Long) + U("\u00E9")}, 2}, {{"z"}, 3}}, ',', true},
    };
    // clang-format on
    for (const TRow& Row : Rows) {
        const TReadAll Got = ReadAll(Row.Input);
        EXPECT_EQ(Got.Columns, Row.Columns) << Row.Name;
        EXPECT_EQ(Got.Delimiter, Row.Delimiter) << Row.Name;
        EXPECT_EQ(Got.Utf8, Row.Utf8) << Row.Name;
        ASSERT_EQ(Got.Records.size(), Row.Records.size()) << Row.Name;
        for (std::size_t I = 0; I < Row.Records.size(); ++I) {
            EXPECT_EQ(Got.Records[I].Fields, Row.Records[I].Fields) << Row.Name << " " << I;
            EXPECT_EQ(Got.Records[I].Number, static_cast<std::int64_t>(I + 1)) << Row.Name;
            EXPECT_EQ(Got.Records[I].Line, Row.Records[I].Line) << Row.Name << " " << I;
        }
    }
}

TEST(CsvReader, RaisesOnBadInput) {
    // Messages.h texts, with the lines and numbers counted by hand.
    const std::pair<const char*, const char*> Rows[] = {
        {"a,b\n1,2\n3,\"x\ny\n", "Line 3: a quoted field is not closed"},
        {"\"a\nb", "Line 1: a quoted field is not closed"},
        {"", "The data source is empty: it has no header line"},
        {"\xEF\xBB\xBF", "The data source is empty: it has no header line"},
        {"\xEF\xBB\xBF\r\n\n", "The data source is empty: it has no header line"},
        {"a,b\n\"1\n2\",x\n3,4,5\n", "Record 2 (line 4) has 3 fields where the header has 2"},
        {"a,b\n1,2\n\n3,4\n", "Record 2 (line 3) has 1 fields where the header has 2"},
    };
    for (const auto& [Input, Message] : Rows) {
        try {
            ReadAll(Input);
            ADD_FAILURE() << "no error for " << Input;
        } catch (const TException& E) {
            EXPECT_STREQ(E.what(), Message) << Input;
        }
    }
}
