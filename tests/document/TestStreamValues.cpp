// The value layer of the component stream: integer sizes, 80-bit floats, strings, sets, and the
// reader's refusal of truncated or malformed values.

#include "common/Messages.h"
#include "common/TException.h"
#include "document/StreamFormat.h"
#include "document/TReader.h"
#include "document/TWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Hex(const std::string& Bytes) {
    std::string Text;
    char Buffer[4];
    for (const char C : Bytes) {
        std::snprintf(Buffer, sizeof Buffer, "%02X ", static_cast<unsigned char>(C));
        Text += Buffer;
    }
    if (!Text.empty())
        Text.pop_back();
    return Text;
}

std::string Bytes(std::initializer_list<int> Values) {
    std::string Result;
    for (const int V : Values)
        Result.push_back(static_cast<char>(V));
    return Result;
}

// The message of the error that Action raises, or "" when it raises none.
template <typename F> std::string ErrorOf(F&& Action) {
    try {
        Action();
    } catch (const TException& E) {
        return E.what();
    }
    return {};
}

// Pixels to native units at 96 pixels per inch and zoom 100, in the page model's order.
long double PixelsToNative(long double Pixels) {
    long double T = 254.0L / 96;
    T = Pixels * T;
    T = T / 100;
    return T * 100;
}

} // namespace

TEST(StreamValues, IntegersTakeTheSmallestTag) {
    // The first four from the document format's own examples, the rest at the tag boundaries.
    const struct {
        std::int64_t Value;
        const char* Expected;
    } Cases[] = {
        {127, "02 7F"},
        {128, "03 80 00"},
        {-129, "03 7F FF"},
        {40000, "04 40 9C 00 00"},
        {-128, "02 80"},
        {32767, "03 FF 7F"},
        {-32769, "04 FF 7F FF FF"},
        {std::numeric_limits<std::int32_t>::min(), "04 00 00 00 80"},
        {std::int64_t{1} << 32, "13 00 00 00 00 01 00 00 00"},
    };
    for (const auto& Case : Cases) {
        TWriter Writer;
        Writer.WriteInteger(Case.Value);
        EXPECT_EQ(Hex(Writer.Data()), Case.Expected) << Case.Value;
        TReader Reader(Writer.Data());
        EXPECT_EQ(Reader.ReadInteger(true), Case.Value);
        EXPECT_EQ(Reader.Remaining(), 0u);
    }
}

TEST(StreamValues, WorkedExampleValueLists) {
    // Page.Values of a new metric A4 page and Size.Values of an item at 50, 50, 100 x 50 pixels,
    // byte for byte as the document format's worked example lists them.
    const struct {
        std::vector<long double> Values;
        const char* Expected;
    } Cases[] = {
        {{100, 2970, 100, 2100, 100, 100, 0},
         "01 05 00 00 00 00 00 00 00 C8 05 40 05 00 00 00 00 00 00 A0 B9 0A 40 05 00 00 00 00 "
         "00 00 00 C8 05 40 05 00 00 00 00 00 00 40 83 0A 40 05 00 00 00 00 00 00 00 C8 05 40 "
         "05 00 00 00 00 00 00 00 C8 05 40 05 00 00 00 00 00 00 00 00 00 00 00"},
        {{PixelsToNative(50), PixelsToNative(50), PixelsToNative(50), PixelsToNative(100)},
         "01 05 AA AA AA AA AA AA 4A 84 06 40 05 AA AA AA AA AA AA 4A 84 06 40 05 AA AA AA AA "
         "AA AA 4A 84 06 40 05 AA AA AA AA AA AA 4A 84 07 40 00"},
    };
    for (const auto& Case : Cases) {
        TWriter Writer;
        Writer.WriteListBegin();
        for (const long double V : Case.Values)
            Writer.WriteFloat(V);
        Writer.WriteListEnd();
        EXPECT_EQ(Hex(Writer.Data()), Case.Expected);

        TReader Reader(Writer.Data());
        Reader.ReadListBegin();
        for (const long double V : Case.Values)
            EXPECT_EQ(Reader.ReadFloat(), V);
        Reader.ReadListEnd();
    }
}

#if defined(__x86_64__) || defined(__i386__)
TEST(StreamValues, ExtendedMatchesTheX87Layout) {
    // On x86 long double is the 80-bit format itself, so the arithmetic encoding must give the
    // bytes of the value in memory, and decoding must give back every bit.
    std::vector<long double> Values = {0.0L,
                                       -0.0L,
                                       1.0L,
                                       -2.0L,
                                       0.1L,
                                       2970.0L,
                                       PixelsToNative(51),
                                       std::numeric_limits<long double>::max(),
                                       std::numeric_limits<long double>::min(),
                                       std::numeric_limits<long double>::denorm_min(),
                                       std::numeric_limits<long double>::min() / 3,
                                       std::numeric_limits<long double>::infinity(),
                                       -std::numeric_limits<long double>::infinity()};
    std::mt19937_64 Random(20261209);
    for (int I = 0; I < 20000; ++I) {
        // Random normal and denormal bit patterns, as arithmetic produces them: the top exponent
        // (infinities, NaNs) and pseudo-denormals are left out.
        unsigned char Raw[16] = {};
        const bool Denormal = I % 7 == 0;
        const std::uint64_t Significand =
            Denormal ? Random() >> 1 : Random() | (std::uint64_t{1} << 63);
        const auto SignExponent = static_cast<std::uint16_t>(
            (Denormal ? 0 : 1 + Random() % 0x7FFE) | (Random() & 0x8000));
        std::memcpy(Raw, &Significand, 8);
        std::memcpy(Raw + 8, &SignExponent, 2);
        long double Value;
        std::memcpy(&Value, Raw, sizeof Value);
        Values.push_back(Value);
    }
    for (const long double Value : Values) {
        unsigned char Raw[sizeof(long double)] = {};
        std::memcpy(Raw, &Value, sizeof Value);
        const TExtendedBytes Encoded = EncodeExtended(Value);
        ASSERT_EQ(std::memcmp(Encoded.data(), Raw, 10), 0) << static_cast<double>(Value);
        const long double Decoded = DecodeExtended(Encoded);
        ASSERT_EQ(std::memcmp(&Decoded, Raw, 10), 0) << static_cast<double>(Value);
    }
    // Encodings an x87 unit refuses decode as NaN: an unnormal and a pseudo-infinity.
    TExtendedBytes Unnormal{0, 0, 0, 0, 0, 0, 0, 0x40, 0xFF, 0x3F};
    TExtendedBytes PseudoInfinity{0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0x7F};
    EXPECT_TRUE(std::isnan(DecodeExtended(Unnormal)));
    EXPECT_TRUE(std::isnan(DecodeExtended(PseudoInfinity)));
}
#endif

TEST(StreamValues, StringsTakeTheEncodingTheirTextNeeds) {
    // Hand-encoded from the string rule: ASCII stays 8-bit, short under 256 bytes; text with
    // characters beyond ASCII is UTF-8 while that takes fewer than two bytes per UTF-16 unit,
    // else UTF-16.
    const struct {
        QString Text;
        std::string Expected;
    } Cases[] = {
        {QStringLiteral("Arial"), Bytes({0x06, 5, 'A', 'r', 'i', 'a', 'l'})},
        {QString::fromUtf8("\xC3\xA9t\xC3\xA9"), // "été"
         Bytes({0x14, 5, 0, 0, 0, 0xC3, 0xA9, 't', 0xC3, 0xA9})},
        {QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC"), // two CJK characters
         Bytes({0x12, 2, 0, 0, 0, 0xE5, 0x65, 0x2C, 0x67})},
        {QString(300, QLatin1Char('x')), Bytes({0x0C, 0x2C, 0x01, 0, 0}) + std::string(300, 'x')},
    };
    for (const auto& Case : Cases) {
        TWriter Writer;
        Writer.WriteString(Case.Text);
        EXPECT_EQ(Hex(Writer.Data()), Hex(Case.Expected)) << Case.Text.toStdString();
        TReader Reader(Writer.Data());
        EXPECT_EQ(Reader.ReadString(), Case.Text);
    }

    // String-list lines start from 8-bit text: "é" is E9 in Windows-1252 and C3 A9 in UTF-8.
    TWriter Lines;
    Lines.WriteLine("0");
    Lines.WriteLine("\xE9");
    EXPECT_EQ(Hex(Lines.Data()), "06 01 30 14 02 00 00 00 C3 A9");
    TReader Reader(Lines.Data());
    EXPECT_EQ(Reader.ReadString8(), "0");
    EXPECT_EQ(Reader.ReadString8(), "\xE9");
}

TEST(StreamValues, IdentifiersSetsAndNameTables) {
    const std::string_view Options[] = {"FirstPageHeader", "LastPageFooter"};
    TWriter Writer;
    Writer.WriteIdent("True");
    Writer.WriteIdent("poPortrait");
    Writer.WriteSet(Options, 0b11);
    EXPECT_EQ(Hex(Writer.Data()),
              "09 07 0A 70 6F 50 6F 72 74 72 61 69 74 0B 0F 46 69 72 73 74 50 61 67 65 48 65 61 "
              "64 65 72 0E 4C 61 73 74 50 61 67 65 46 6F 6F 74 65 72 00");
    TReader Reader(Writer.Data());
    EXPECT_EQ(Reader.ReadIdent(), "True");
    EXPECT_EQ(Reader.ReadIdent(), "poPortrait");
    EXPECT_EQ(Reader.ReadSet(Options), 0b11u);

    // The first name listed for a value is the one written; names are found without regard to
    // case.
    EXPECT_EQ(IdentToName(CursorIdents, -22), "crSizeAll");
    EXPECT_EQ(NameToIdent(CursorIdents, "CRSIZE"), -22);
    EXPECT_EQ(IdentToName(ColorIdents, static_cast<std::int32_t>(0xFF000008)), "clWindowText");
    EXPECT_EQ(IdentToName(CharsetIdents, 1), "DEFAULT_CHARSET");
    EXPECT_EQ(IdentToName(ColorIdents, 0x123456), "");
    EXPECT_FALSE(NameToIdent(ColorIdents, "clNoSuchColour").has_value());
}

TEST(StreamValues, MalformedValuesEndInOneClearError) {
    // Each input is hostile or damaged; none may read past its end, allocate what a length claims
    // before checking it, or loop.
    const std::string Deep = std::string(40, '\x01') + std::string(40, '\0');
    const std::string NaN = Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F});
    const struct {
        std::string Input;
        int Kind; // 0 integer, 1 float, 2 string, 3 skip, 4 set
        const char* Expected;
    } Cases[] = {
        {"", 0, Msg::StreamReadError},
        {Bytes({0x04, 1, 2}), 0, Msg::StreamReadError},
        {Bytes({0x06, 1}), 0, Msg::InvalidPropertyValue},
        {Bytes({0x13, 1, 0, 0, 0, 0, 0, 0, 0}), 0, Msg::InvalidPropertyValue},
        {NaN, 1, Msg::InvalidPropertyValue},
        {Bytes({0x05, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}), 1, Msg::InvalidPropertyValue},
        {Bytes({0x07, 4, 'a'}), 1, Msg::InvalidPropertyValue},
        {Bytes({0x0C, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}), 2, Msg::StreamReadError},
        {Bytes({0x12, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0}), 2, Msg::StreamReadError},
        {Bytes({0x14, 0x00, 0x00, 0x00, 0x80}), 2, Msg::StreamReadError},
        {Bytes({0x06, 3, 'a', 'b'}), 2, Msg::StreamReadError},
        {Bytes({0x0A, 0xFF, 0xFF, 0xFF, 0xFF}), 3, Msg::StreamReadError},
        {Deep, 3, Msg::InvalidPropertyValue},
        {Bytes({0x01, 0x02, 0x05}), 3, Msg::StreamReadError},
        {Bytes({0x15}), 3, Msg::InvalidPropertyValue},
        {Bytes({0x0B, 3, 'f', 'o', 'o', 0}), 4, Msg::InvalidPropertyValue},
        {Bytes({0x0B, 15, 'F', 'i', 'r', 's', 't'}), 4, Msg::StreamReadError},
    };
    const std::string_view Members[] = {"FirstPageHeader", "LastPageFooter"};
    for (const auto& Case : Cases) {
        TReader Reader(Case.Input);
        const std::string Error = ErrorOf([&] {
            switch (Case.Kind) {
            case 0:
                Reader.ReadInteger();
                break;
            case 1:
                Reader.ReadFloat();
                break;
            case 2:
                Reader.ReadString();
                break;
            case 3:
                Reader.SkipValue();
                break;
            default:
                Reader.ReadSet(Members);
            }
        });
        EXPECT_EQ(Error, Case.Expected) << Hex(Case.Input);
    }
    // A nesting just inside the bound is followed to its end.
    const std::string Shallow = std::string(30, '\x01') + std::string(30, '\0');
    TReader Reader(Shallow);
    Reader.SkipValue();
    EXPECT_EQ(Reader.Remaining(), 0u);
}
