#include "app/PageDescription.h"

#include "app/DocumentFile.h"
#include "app/ItemCommands.h"
#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "document/DocumentStream.h"
#include "document/PageProperties.h"
#include "document/StreamClasses.h"
#include "document/StreamTree.h"
#include "document/TBarcodeItem.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"
#include "document/TWriter.h"

#include <QString>

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace {

// ---- Writing ----

// The shortest decimal text that reads back as the same long double.
std::string FloatText(long double Value) {
    if (!std::isfinite(Value))
        return "null";
    std::array<char, 64> Buffer{};
    const auto Result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), Value);
    return std::string(Buffer.data(), Result.ptr);
}

void AppendJsonString(std::string& Out, const QString& Text) {
    Out += '"';
    const QByteArray Utf8 = Text.toUtf8();
    for (const char C : Utf8) {
        switch (C) {
        case '"':
            Out += "\\\"";
            break;
        case '\\':
            Out += "\\\\";
            break;
        case '\n':
            Out += "\\n";
            break;
        case '\r':
            Out += "\\r";
            break;
        case '\t':
            Out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(C) < 0x20) {
                static constexpr char Hex[] = "0123456789abcdef";
                Out += "\\u00";
                Out += Hex[(C >> 4) & 0xF];
                Out += Hex[C & 0xF];
            } else {
                Out += C;
            }
        }
    }
    Out += '"';
}

QString Latin(std::string_view Bytes) {
    return FromCp1252(std::string(Bytes));
}

// A stored string as text, by the encoding its tag names.
QString StringText(const TStreamValue& Value) {
    switch (Value.Type) {
    case TValueType::vaWString: {
        QString Text(static_cast<qsizetype>(Value.Bytes.size() / 2), Qt::Uninitialized);
        for (qsizetype I = 0; I < Text.size(); ++I)
            Text[I] = QChar(static_cast<char16_t>(
                static_cast<std::uint8_t>(Value.Bytes[static_cast<std::size_t>(2 * I)]) |
                static_cast<std::uint8_t>(Value.Bytes[static_cast<std::size_t>(2 * I + 1)]) << 8));
        return Text;
    }
    case TValueType::vaUTF8String:
        return QString::fromUtf8(Value.Bytes.data(), static_cast<qsizetype>(Value.Bytes.size()));
    default:
        return Latin(Value.Bytes);
    }
}

enum class TStyle { sJson, sText };

void AppendRecords(std::string& Out, const std::vector<TStreamRecord>& Records);

// One value as JSON, or as a line of text (identifiers bare, lists in parentheses).
void AppendValue(std::string& Out, const TStreamValue& Value, TStyle Style) {
    switch (Value.Type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        Out += std::to_string(Value.Integer);
        return;
    case TValueType::vaExtended:
    case TValueType::vaSingle:
    case TValueType::vaDate:
    case TValueType::vaCurrency:
        Out += FloatText(Value.Float);
        return;
    case TValueType::vaFalse:
        Out += "false";
        return;
    case TValueType::vaTrue:
        Out += "true";
        return;
    case TValueType::vaNull:
    case TValueType::vaNil:
        Out += "null";
        return;
    case TValueType::vaIdent:
        if (Style == TStyle::sText)
            Out += Latin(Value.Bytes).toStdString();
        else
            AppendJsonString(Out, Latin(Value.Bytes));
        return;
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        AppendJsonString(Out, StringText(Value));
        return;
    case TValueType::vaBinary: {
        QString Hex = QString::fromLatin1(
            QByteArray(Value.Bytes.data(), static_cast<qsizetype>(Value.Bytes.size())).toHex());
        AppendJsonString(Out, Hex);
        return;
    }
    case TValueType::vaSet:
        Out += '[';
        for (std::size_t I = 0; I < Value.Members.size(); ++I) {
            Out += I == 0 ? "" : ", ";
            if (Style == TStyle::sText)
                Out += Latin(Value.Members[I]).toStdString();
            else
                AppendJsonString(Out, Latin(Value.Members[I]));
        }
        Out += ']';
        return;
    case TValueType::vaList:
        Out += Style == TStyle::sText ? '(' : '[';
        for (std::size_t I = 0; I < Value.Items.size(); ++I) {
            Out += I == 0 ? "" : ", ";
            AppendValue(Out, Value.Items[I], Style);
        }
        Out += Style == TStyle::sText ? ')' : ']';
        return;
    case TValueType::vaCollection:
        Out += '[';
        for (std::size_t I = 0; I < Value.Items.size(); ++I) {
            Out += I == 0 ? "{" : ", {";
            if (Value.Items[I].Integer >= 0)
                Out += "\"index\": " + std::to_string(Value.Items[I].Integer) + ", ";
            Out += "\"properties\": ";
            AppendRecords(Out, Value.Items[I].Records);
            Out += '}';
        }
        Out += ']';
        return;
    }
}

void AppendRecords(std::string& Out, const std::vector<TStreamRecord>& Records) {
    Out += '{';
    for (std::size_t I = 0; I < Records.size(); ++I) {
        Out += I == 0 ? "" : ", ";
        AppendJsonString(Out, Latin(Records[I].Path));
        Out += ": ";
        AppendValue(Out, Records[I].Value, TStyle::sJson);
    }
    Out += '}';
}

void AppendComponentJson(std::string& Out, const TStreamComponent& Component, bool Root) {
    Out += "{\"class\": ";
    AppendJsonString(Out, Latin(Component.ClassName));
    if (!Component.Name.empty()) {
        Out += ", \"name\": ";
        AppendJsonString(Out, Latin(Component.Name));
    }
    Out += ", \"properties\": ";
    AppendRecords(Out, Component.Properties);
    if (Root) {
        Out += ", \"items\": [";
        for (std::size_t I = 0; I < Component.Children.size(); ++I) {
            Out += I == 0 ? "" : ", ";
            AppendComponentJson(Out, Component.Children[I], false);
        }
        Out += ']';
    }
    Out += '}';
}

void AppendComponentText(std::string& Out, const TStreamComponent& Component,
                         const std::string& Prefix) {
    Out += Prefix + "class = " + Latin(Component.ClassName).toStdString() + '\n';
    if (!Component.Name.empty())
        Out += Prefix + "name = " + Latin(Component.Name).toStdString() + '\n';
    for (const TStreamRecord& Record : Component.Properties) {
        Out += Prefix + Latin(Record.Path).toStdString() + " = ";
        AppendValue(Out, Record.Value, TStyle::sText);
        Out += '\n';
    }
}

// The document's records, once the reader has accepted the whole document.
TStreamComponent CheckedRecords(std::string_view Data) {
    ReadDocumentData(Data);
    return ParseComponentStream(Data);
}

// ---- Reading JSON ----

struct TJson {
    enum TKind { jNull, jFalse, jTrue, jNumber, jString, jArray, jObject };
    TKind Kind = jNull;
    std::string Text; // a number's digits, a string's UTF-8
    std::vector<TJson> Items;
    std::vector<std::pair<std::string, TJson>> Members; // in the description's order

    const TJson* Find(std::string_view Key) const {
        for (const auto& [Name, Value] : Members)
            if (Name == Key)
                return &Value;
        return nullptr;
    }
};

[[noreturn]] void BadDescription(const std::string& Why) {
    Raise(Msg::InvalidPageDescription, {Why});
}

class TJsonParser {
public:
    explicit TJsonParser(std::string_view Text) : FText(Text) {}

    TJson ParseDocument() {
        TJson Value = Parse(0);
        SkipSpace();
        if (FAt != FText.size())
            Fail("text after the end");
        return Value;
    }

private:
    static constexpr int MaxDepth = 64;

    [[noreturn]] void Fail(const char* What) const {
        BadDescription(std::string(What) + " at offset " + std::to_string(FAt));
    }

    void SkipSpace() {
        while (FAt < FText.size() && (FText[FAt] == ' ' || FText[FAt] == '\t' ||
                                      FText[FAt] == '\n' || FText[FAt] == '\r'))
            ++FAt;
    }

    bool Take(char C) {
        SkipSpace();
        if (FAt < FText.size() && FText[FAt] == C) {
            ++FAt;
            return true;
        }
        return false;
    }

    void Expect(char C) {
        if (!Take(C))
            Fail((std::string("expected '") + C + "'").c_str());
    }

    bool Word(std::string_view W) {
        if (FText.substr(FAt, W.size()) != W)
            return false;
        FAt += W.size();
        return true;
    }

    TJson Parse(int Depth) {
        if (Depth > MaxDepth)
            Fail("nesting too deep");
        SkipSpace();
        if (FAt >= FText.size())
            Fail("unexpected end");
        TJson Value;
        const char C = FText[FAt];
        if (C == '{') {
            ++FAt;
            Value.Kind = TJson::jObject;
            if (Take('}'))
                return Value;
            do {
                SkipSpace();
                if (FAt >= FText.size() || FText[FAt] != '"')
                    Fail("expected a name");
                std::string Key = ParseString();
                Expect(':');
                Value.Members.emplace_back(std::move(Key), Parse(Depth + 1));
            } while (Take(','));
            Expect('}');
        } else if (C == '[') {
            ++FAt;
            Value.Kind = TJson::jArray;
            if (Take(']'))
                return Value;
            do
                Value.Items.push_back(Parse(Depth + 1));
            while (Take(','));
            Expect(']');
        } else if (C == '"') {
            Value.Kind = TJson::jString;
            Value.Text = ParseString();
        } else if (Word("true")) {
            Value.Kind = TJson::jTrue;
        } else if (Word("false")) {
            Value.Kind = TJson::jFalse;
        } else if (Word("null")) {
            Value.Kind = TJson::jNull;
        } else if (C == '-' || (C >= '0' && C <= '9')) {
            const std::size_t Start = FAt;
            while (FAt < FText.size() &&
                   std::string_view("+-.eE0123456789").find(FText[FAt]) != std::string_view::npos)
                ++FAt;
            Value.Kind = TJson::jNumber;
            Value.Text = std::string(FText.substr(Start, FAt - Start));
            long double Check;
            const auto Result =
                std::from_chars(Value.Text.data(), Value.Text.data() + Value.Text.size(), Check);
            if (Result.ec == std::errc::invalid_argument ||
                Result.ptr != Value.Text.data() + Value.Text.size())
                Fail("malformed number");
        } else {
            Fail("unexpected character");
        }
        return Value;
    }

    unsigned Hex4() {
        if (FAt + 4 > FText.size())
            Fail("unexpected end");
        unsigned Value = 0;
        for (int I = 0; I < 4; ++I) {
            const char C = FText[FAt++];
            Value <<= 4;
            if (C >= '0' && C <= '9')
                Value |= static_cast<unsigned>(C - '0');
            else if (C >= 'a' && C <= 'f')
                Value |= static_cast<unsigned>(C - 'a' + 10);
            else if (C >= 'A' && C <= 'F')
                Value |= static_cast<unsigned>(C - 'A' + 10);
            else
                Fail("malformed \\u escape");
        }
        return Value;
    }

    std::string ParseString() {
        ++FAt; // the opening quote
        QString Text;
        std::string Run; // UTF-8 bytes since the last escape
        const auto Flush = [&] {
            Text += QString::fromUtf8(Run.data(), static_cast<qsizetype>(Run.size()));
            Run.clear();
        };
        for (;;) {
            if (FAt >= FText.size())
                Fail("unterminated string");
            const char C = FText[FAt++];
            if (C == '"')
                break;
            if (static_cast<unsigned char>(C) < 0x20)
                Fail("control character in a string");
            if (C != '\\') {
                Run += C;
                continue;
            }
            Flush();
            if (FAt >= FText.size())
                Fail("unterminated string");
            switch (FText[FAt++]) {
            case '"':
                Text += QLatin1Char('"');
                break;
            case '\\':
                Text += QLatin1Char('\\');
                break;
            case '/':
                Text += QLatin1Char('/');
                break;
            case 'b':
                Text += QChar(0x08);
                break;
            case 'f':
                Text += QChar(0x0C);
                break;
            case 'n':
                Text += QLatin1Char('\n');
                break;
            case 'r':
                Text += QLatin1Char('\r');
                break;
            case 't':
                Text += QLatin1Char('\t');
                break;
            case 'u':
                Text += QChar(static_cast<char16_t>(Hex4()));
                break;
            default:
                Fail("unknown escape");
            }
        }
        Flush();
        const QByteArray Utf8 = Text.toUtf8();
        return std::string(Utf8.constData(), static_cast<std::size_t>(Utf8.size()));
    }

    std::string_view FText;
    std::size_t FAt = 0;
};

// ---- From JSON to stream values ----

QString JsonText(const TJson& Value) {
    return QString::fromUtf8(Value.Text.data(), static_cast<qsizetype>(Value.Text.size()));
}

std::optional<std::int64_t> JsonInteger(const TJson& Value) {
    std::int64_t Integer;
    const auto Result =
        std::from_chars(Value.Text.data(), Value.Text.data() + Value.Text.size(), Integer);
    if (Result.ec != std::errc() || Result.ptr != Value.Text.data() + Value.Text.size())
        return std::nullopt;
    return Integer;
}

long double JsonFloat(const TJson& Value) {
    long double Float = 0;
    const auto Result =
        std::from_chars(Value.Text.data(), Value.Text.data() + Value.Text.size(), Float);
    if (Result.ec != std::errc())
        InvalidPropertyValue();
    return Float;
}

// A value by its JSON kind alone: for paths no table knows, so that the reader names them.
void WriteAny(TWriter& Writer, const TJson& Value) {
    switch (Value.Kind) {
    case TJson::jNull:
        Writer.WriteValueType(TValueType::vaNil);
        return;
    case TJson::jFalse:
    case TJson::jTrue:
        Writer.WriteBoolean(Value.Kind == TJson::jTrue);
        return;
    case TJson::jNumber:
        if (const auto Integer = JsonInteger(Value))
            Writer.WriteInteger(*Integer);
        else
            Writer.WriteFloat(JsonFloat(Value));
        return;
    case TJson::jString:
        Writer.WriteString(JsonText(Value));
        return;
    case TJson::jArray:
        Writer.WriteListBegin();
        for (const TJson& Item : Value.Items)
            WriteAny(Writer, Item);
        Writer.WriteListEnd();
        return;
    case TJson::jObject:
        InvalidPropertyValue();
    }
}

// A value as the property's type stores it; what does not fit is written as it is, and the
// reader refuses it as it refuses such a value in a file.
std::string EncodeValue(const TJson& Value, const std::optional<TPropertyType>& Type) {
    TWriter Writer;
    const TPropKind Kind = Type ? Type->Kind : TPropKind::pkReference;
    if (!Type) {
        WriteAny(Writer, Value);
    } else if (Value.Kind == TJson::jString &&
               (Kind == TPropKind::pkInteger || Kind == TPropKind::pkEnum ||
                Kind == TPropKind::pkBoolean || Kind == TPropKind::pkEvent ||
                Kind == TPropKind::pkReference)) {
        Writer.WriteIdent(ToCp1252(JsonText(Value)));
    } else if (Value.Kind == TJson::jNumber && Kind == TPropKind::pkFloat) {
        Writer.WriteFloat(JsonFloat(Value));
    } else if (Value.Kind == TJson::jArray && Kind == TPropKind::pkSet) {
        Writer.WriteValueType(TValueType::vaSet);
        for (const TJson& Member : Value.Items) {
            if (Member.Kind != TJson::jString)
                InvalidPropertyValue();
            Writer.WriteStr(ToCp1252(JsonText(Member)));
        }
        Writer.WriteStr({});
    } else if (Value.Kind == TJson::jArray && Kind == TPropKind::pkDefined) {
        // Lengths are floats, lines are 8-bit text.
        Writer.WriteListBegin();
        for (const TJson& Item : Value.Items) {
            if (Item.Kind == TJson::jNumber)
                Writer.WriteFloat(JsonFloat(Item));
            else if (Item.Kind == TJson::jString)
                Writer.WriteLine(ToCp1252(JsonText(Item)));
            else
                WriteAny(Writer, Item);
        }
        Writer.WriteListEnd();
    } else {
        WriteAny(Writer, Value);
    }
    return Writer.Take();
}

const TJson* Member(const TJson& Object, std::string_view Key, TJson::TKind Kind) {
    const TJson* Value = Object.Find(Key);
    if (Value != nullptr && Value->Kind != Kind)
        BadDescription("\"" + std::string(Key) + "\" has the wrong type");
    return Value;
}

struct TBuiltItem {
    TPrintable* Item;
    std::optional<std::array<int, 4>> Bounds;
};

TBuiltItem BuildItem(TReportPage& Page, const TJson& Description) {
    if (Description.Kind != TJson::jObject)
        BadDescription("an item is not an object");
    const TJson* ClassName = Member(Description, "class", TJson::jString);
    const std::string Class =
        ClassName != nullptr ? ToCp1252(JsonText(*ClassName)) : std::string(BarcodeStreamName);
    const TStreamClass* StreamClass = FindStreamClass(Class);
    if (StreamClass == nullptr)
        Raise(Msg::ClassNotFound, {Class});
    TPrintable* Item;
    if (StreamClass == &BarcodeItemClass()) {
        Item = InsertBarcodeItem(Page);
    } else {
        Item = StreamClass->Create(&Page);
        Item->SetParent(&Page);
    }
    // The item reads as a document's item does; it stays on the page for the caller to free.
    Item->BeginReading();
    if (const TJson* Name = Member(Description, "name", TJson::jString))
        SetItemName(Page, *Item, ToCp1252(JsonText(*Name)));
    std::vector<std::string_view> Paths;
    if (const TJson* Properties = Member(Description, "properties", TJson::jObject))
        for (const auto& [Path, Value] : Properties->Members) {
            Paths.push_back(Path);
            ReadItemProperty(*Item, Path, [&, &P = Path, &V = Value] {
                return EncodeValue(V, StreamClass->PropertyType(P));
            });
        }
    EndItemReading(*Item, *StreamClass, Paths);

    TBuiltItem Built{Item, std::nullopt};
    if (const TJson* Bounds = Member(Description, "bounds", TJson::jArray)) {
        std::array<int, 4> Values{};
        if (Bounds->Items.size() != Values.size())
            BadDescription("\"bounds\" needs four numbers");
        for (std::size_t I = 0; I < Values.size(); ++I) {
            const std::optional<std::int64_t> Integer = Bounds->Items[I].Kind == TJson::jNumber
                                                            ? JsonInteger(Bounds->Items[I])
                                                            : std::nullopt;
            if (!Integer || *Integer < -QWIDGETSIZE_MAX || *Integer > QWIDGETSIZE_MAX)
                BadDescription("\"bounds\" needs four whole pixel numbers");
            Values[I] = static_cast<int>(*Integer);
        }
        Built.Bounds = Values;
    }
    return Built;
}

} // namespace

std::string DumpDocumentText(std::string_view Data) {
    const TStreamComponent Root = CheckedRecords(Data);
    std::string Out;
    AppendComponentText(Out, Root, {});
    for (std::size_t I = 0; I < Root.Children.size(); ++I)
        AppendComponentText(Out, Root.Children[I], "items[" + std::to_string(I) + "].");
    return Out;
}

std::string DumpDocumentJson(std::string_view Data) {
    const TStreamComponent Root = CheckedRecords(Data);
    std::string Out;
    AppendComponentJson(Out, Root, true);
    Out += '\n';
    return Out;
}

std::unique_ptr<TReportPage> BuildDocumentPage(std::string_view Json) {
    const TJson Root = TJsonParser(Json).ParseDocument();
    if (Root.Kind != TJson::jObject)
        BadDescription("the page is not an object");

    std::unique_ptr<TReportPage> Page = NewDocumentPage();
    Page->BeginLoading();
    if (const TJson* Properties = Member(Root, "properties", TJson::jObject))
        for (const auto& [Path, Value] : Properties->Members)
            ReadPageProperty(*Page, Path, [&, &P = Path, &V = Value] {
                return EncodeValue(V, FindPropertyType(PageProperties(), P));
            });

    std::vector<TBuiltItem> Items;
    if (const TJson* Descriptions = Member(Root, "items", TJson::jArray)) {
        if (Descriptions->Items.size() > MaxItemsPerPage)
            Raise(Msg::TooManyItems, {std::to_string(MaxItemsPerPage)});
        for (std::size_t I = 0; I < Descriptions->Items.size(); ++I) {
            try {
                Items.push_back(BuildItem(*Page, Descriptions->Items[I]));
            } catch (const TException& Error) {
                Raise(Msg::ItemDescriptionError, {std::to_string(I), Error.what()});
            }
        }
    }
    Page->Loaded();
    for (const TBuiltItem& Built : Items)
        Built.Item->AfterReading();
    for (const TBuiltItem& Built : Items)
        if (Built.Bounds)
            Built.Item->SetBounds((*Built.Bounds)[0], (*Built.Bounds)[1], (*Built.Bounds)[2],
                                  (*Built.Bounds)[3]);
    return Page;
}
