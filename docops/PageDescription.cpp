#include "docops/PageDescription.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "docops/DocumentFile.h"
#include "docops/ItemCommands.h"
#include "document/DocumentStream.h"
#include "document/PageProperties.h"
#include "document/StreamClasses.h"
#include "document/StreamTree.h"
#include "document/TBarcodeItem.h"
#include "document/TPrintable.h"
#include "document/TReportPage.h"
#include "document/TWriter.h"

#include <QString>

#include <nlohmann/json.hpp>

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <istream>
#include <limits>
#include <optional>
#include <streambuf>
#include <vector>

namespace {

// Members keep the description's order; a float holds an extended value exactly.
using TJson = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool,
                                   std::int64_t, std::uint64_t, long double>;

// ---- Writing ----

// The shortest decimal text that reads back as the same long double.
std::string FloatText(long double Value) {
    if (!std::isfinite(Value))
        return "null";
    std::array<char, 64> Buffer{};
    const auto Result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), Value);
    return std::string(Buffer.data(), Result.ptr);
}

std::string Utf8(const QString& Text) {
    const QByteArray Bytes = Text.toUtf8();
    return std::string(Bytes.constData(), static_cast<std::size_t>(Bytes.size()));
}

QString Latin(std::string_view Bytes) {
    return FromCp1252(std::string(Bytes));
}

// A stored string as text, by the encoding its tag names.
QString StringText(const TStreamValue& Value) {
    switch (Value.Type) {
    case TValueType::vaWString:
        return DecodeWideString(Value.Bytes);
    case TValueType::vaUTF8String:
        return QString::fromUtf8(Value.Bytes.data(), static_cast<qsizetype>(Value.Bytes.size()));
    default:
        return Latin(Value.Bytes);
    }
}

TJson RecordsJson(const std::vector<TStreamRecord>& Records);

TJson ValueJson(const TStreamValue& Value) {
    switch (Value.Type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        return Value.Integer;
    case TValueType::vaExtended:
    case TValueType::vaSingle:
    case TValueType::vaDate:
    case TValueType::vaCurrency:
        return Value.Float;
    case TValueType::vaFalse:
        return false;
    case TValueType::vaTrue:
        return true;
    case TValueType::vaNull:
    case TValueType::vaNil:
        return nullptr;
    case TValueType::vaIdent:
        return Utf8(Latin(Value.Bytes));
    case TValueType::vaString:
    case TValueType::vaLString:
    case TValueType::vaWString:
    case TValueType::vaUTF8String:
        return Utf8(StringText(Value));
    case TValueType::vaBinary:
        return QByteArray(Value.Bytes.data(), static_cast<qsizetype>(Value.Bytes.size()))
            .toHex()
            .toStdString();
    case TValueType::vaSet: {
        TJson Members = TJson::array();
        for (const std::string_view Member : Value.Members)
            Members.push_back(Utf8(Latin(Member)));
        return Members;
    }
    case TValueType::vaList: {
        TJson Items = TJson::array();
        for (const TStreamValue& Item : Value.Items)
            Items.push_back(ValueJson(Item));
        return Items;
    }
    case TValueType::vaCollection: {
        TJson Items = TJson::array();
        for (const TStreamValue& Item : Value.Items) {
            TJson Entry = TJson::object();
            if (Item.Integer >= 0)
                Entry["index"] = Item.Integer;
            Entry["properties"] = RecordsJson(Item.Records);
            Items.push_back(std::move(Entry));
        }
        return Items;
    }
    }
    return nullptr;
}

TJson RecordsJson(const std::vector<TStreamRecord>& Records) {
    TJson Object = TJson::object();
    for (const TStreamRecord& Record : Records)
        Object[Utf8(Latin(Record.Path))] = ValueJson(Record.Value);
    return Object;
}

TJson ComponentJson(const TStreamComponent& Component, bool Root) {
    TJson Object = TJson::object();
    Object["class"] = Utf8(Latin(Component.ClassName));
    if (!Component.Name.empty())
        Object["name"] = Utf8(Latin(Component.Name));
    Object["properties"] = RecordsJson(Component.Properties);
    if (Root) {
        TJson Items = TJson::array();
        for (const TStreamComponent& Child : Component.Children)
            Items.push_back(ComponentJson(Child, false));
        Object["items"] = std::move(Items);
    }
    return Object;
}

// On one line with ", " and ": " as separators, floats with every digit they need.
void AppendJson(std::string& Out, const TJson& Value) {
    if (Value.is_object()) {
        Out += '{';
        for (auto It = Value.begin(); It != Value.end(); ++It) {
            Out += It == Value.begin() ? "" : ", ";
            Out += TJson(It.key()).dump();
            Out += ": ";
            AppendJson(Out, It.value());
        }
        Out += '}';
    } else if (Value.is_array()) {
        Out += '[';
        for (auto It = Value.begin(); It != Value.end(); ++It) {
            Out += It == Value.begin() ? "" : ", ";
            AppendJson(Out, *It);
        }
        Out += ']';
    } else if (Value.is_number_float()) {
        Out += FloatText(Value.get<long double>());
    } else {
        Out += Value.dump();
    }
}

// A value as a line of text: identifiers bare, lists in parentheses, everything else as JSON.
void AppendValueText(std::string& Out, const TStreamValue& Value) {
    switch (Value.Type) {
    case TValueType::vaIdent:
        Out += Utf8(Latin(Value.Bytes));
        return;
    case TValueType::vaSet:
        Out += '[';
        for (std::size_t I = 0; I < Value.Members.size(); ++I) {
            Out += I == 0 ? "" : ", ";
            Out += Utf8(Latin(Value.Members[I]));
        }
        Out += ']';
        return;
    case TValueType::vaList:
        Out += '(';
        for (std::size_t I = 0; I < Value.Items.size(); ++I) {
            Out += I == 0 ? "" : ", ";
            AppendValueText(Out, Value.Items[I]);
        }
        Out += ')';
        return;
    default:
        AppendJson(Out, ValueJson(Value));
    }
}

void AppendComponentText(std::string& Out, const TStreamComponent& Component,
                         const std::string& Prefix) {
    Out += Prefix + "class = " + Utf8(Latin(Component.ClassName)) + '\n';
    if (!Component.Name.empty())
        Out += Prefix + "name = " + Utf8(Latin(Component.Name)) + '\n';
    for (const TStreamRecord& Record : Component.Properties) {
        Out += Prefix + Utf8(Latin(Record.Path)) + " = ";
        AppendValueText(Out, Record.Value);
        Out += '\n';
    }
}

// The document's records, once the reader has accepted the whole document.
TStreamComponent CheckedRecords(std::string_view Data) {
    ReadDocumentData(Data);
    return ParseComponentStream(Data);
}

// ---- Reading JSON ----

constexpr int MaxDepth = 64;

[[noreturn]] void BadDescription(const std::string& Why) {
    Raise(Msg::InvalidPageDescription, {Why});
}

// The text as a stream whose read position tells how far the parser got.
class TTextBuffer : public std::streambuf {
public:
    explicit TTextBuffer(std::string_view Text) {
        char* Begin = const_cast<char*>(Text.data());
        setg(Begin, Begin, Begin + Text.size());
    }
    std::size_t Offset() const { return static_cast<std::size_t>(gptr() - eback()); }
};

// The library's explanation without its exception id, line and column: the offset says where.
std::string Explanation(std::string_view What) {
    if (const std::size_t Id = What.find("] "); Id != std::string_view::npos)
        What.remove_prefix(Id + 2);
    if (What.starts_with("parse error"))
        if (const std::size_t Colon = What.find(": "); Colon != std::string_view::npos)
            What.remove_prefix(Colon + 2);
    // The text read so far, which can be long, is left out too.
    std::string Text(What);
    if (const std::size_t Read = Text.find("; last read: "); Read != std::string::npos) {
        const std::size_t Expected = Text.rfind("'; expected ");
        Text.erase(Read, Expected == std::string::npos || Expected < Read ? std::string::npos
                                                                          : Expected + 1 - Read);
    }
    return Text;
}

TJson ParseDescription(std::string_view Text) {
    TTextBuffer Buffer(Text);
    std::istream Stream(&Buffer);
    const auto At = [](std::size_t Offset) { return " at offset " + std::to_string(Offset); };
    const TJson::parser_callback_t Limit = [&](int Depth, TJson::parse_event_t, TJson&) {
        // The parser has just read the value's first character, or a little beyond.
        if (Depth > MaxDepth)
            BadDescription("nesting too deep" + At(Buffer.Offset() - 1));
        return true;
    };
    try {
        return TJson::parse(Stream, Limit);
    } catch (const TJson::parse_error& Error) {
        // The library counts the byte it stopped at from one, the end of the text included.
        const std::size_t Offset = Error.byte == 0 ? 0 : Error.byte - 1;
        if (Offset >= Text.size())
            BadDescription("unexpected end" + At(Text.size()));
        BadDescription(Explanation(Error.what()) + At(Offset));
    } catch (const TJson::out_of_range& Error) {
        BadDescription(Explanation(Error.what()) + At(Buffer.Offset()));
    }
}

// ---- From JSON to stream values ----

QString JsonText(const TJson& Value) {
    return QString::fromStdString(Value.get_ref<const std::string&>());
}

std::optional<std::int64_t> JsonInteger(const TJson& Value) {
    if (Value.is_number_unsigned()) {
        const auto Unsigned = Value.get<std::uint64_t>();
        if (Unsigned > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
            return std::nullopt;
        return static_cast<std::int64_t>(Unsigned);
    }
    if (Value.is_number_integer())
        return Value.get<std::int64_t>();
    return std::nullopt;
}

long double JsonFloat(const TJson& Value) {
    // The library reads non-negative integers as unsigned, so a signed zero was written "-0".
    if (Value.is_number_integer() && !Value.is_number_unsigned() && Value.get<std::int64_t>() == 0)
        return -0.0L;
    return Value.get<long double>();
}

// A value by its JSON kind alone: for paths no table knows, so that the reader names them.
void WriteAny(TWriter& Writer, const TJson& Value) {
    if (Value.is_null()) {
        Writer.WriteValueType(TValueType::vaNil);
    } else if (Value.is_boolean()) {
        Writer.WriteBoolean(Value.get<bool>());
    } else if (Value.is_number()) {
        if (const auto Integer = JsonInteger(Value))
            Writer.WriteInteger(*Integer);
        else
            Writer.WriteFloat(JsonFloat(Value));
    } else if (Value.is_string()) {
        Writer.WriteString(JsonText(Value));
    } else if (Value.is_array()) {
        Writer.WriteListBegin();
        for (const TJson& Item : Value)
            WriteAny(Writer, Item);
        Writer.WriteListEnd();
    } else {
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
    } else if (Value.is_string() && (Kind == TPropKind::pkInteger || Kind == TPropKind::pkEnum ||
                                     Kind == TPropKind::pkBoolean || Kind == TPropKind::pkEvent ||
                                     Kind == TPropKind::pkReference)) {
        Writer.WriteIdent(ToCp1252(JsonText(Value)));
    } else if (Value.is_number() && Kind == TPropKind::pkFloat) {
        Writer.WriteFloat(JsonFloat(Value));
    } else if (Value.is_array() && Kind == TPropKind::pkSet) {
        Writer.WriteValueType(TValueType::vaSet);
        for (const TJson& Member : Value) {
            if (!Member.is_string())
                InvalidPropertyValue();
            Writer.WriteStr(ToCp1252(JsonText(Member)));
        }
        Writer.WriteStr({});
    } else if (Value.is_array() && Kind == TPropKind::pkDefined) {
        // Lengths are floats, lines are 8-bit text.
        Writer.WriteListBegin();
        for (const TJson& Item : Value) {
            if (Item.is_number())
                Writer.WriteFloat(JsonFloat(Item));
            else if (Item.is_string())
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

const TJson* Member(const TJson& Object, const char* Key, TJson::value_t Type) {
    const auto Found = Object.find(Key);
    if (Found == Object.end())
        return nullptr;
    if (Found->type() != Type)
        BadDescription("\"" + std::string(Key) + "\" has the wrong type");
    return &*Found;
}

struct TBuiltItem {
    TPrintable* Item;
    std::optional<std::array<int, 4>> Bounds;
};

TBuiltItem BuildItem(TReportPage& Page, const TJson& Description) {
    if (!Description.is_object())
        BadDescription("an item is not an object");
    const TJson* ClassName = Member(Description, "class", TJson::value_t::string);
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
    if (const TJson* Name = Member(Description, "name", TJson::value_t::string))
        SetItemName(Page, *Item, ToCp1252(JsonText(*Name)));
    std::vector<std::string_view> Paths;
    if (const TJson* Properties = Member(Description, "properties", TJson::value_t::object))
        for (auto It = Properties->begin(); It != Properties->end(); ++It) {
            Paths.push_back(It.key());
            ReadItemProperty(*Item, It.key(), [&] {
                return EncodeValue(It.value(), StreamClass->PropertyType(It.key()));
            });
        }
    EndItemReading(*Item, *StreamClass, Paths);

    TBuiltItem Built{Item, std::nullopt};
    if (const TJson* Bounds = Member(Description, "bounds", TJson::value_t::array)) {
        std::array<int, 4> Values{};
        if (Bounds->size() != Values.size())
            BadDescription("\"bounds\" needs four numbers");
        for (std::size_t I = 0; I < Values.size(); ++I) {
            const std::optional<std::int64_t> Integer = JsonInteger((*Bounds)[I]);
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
    AppendJson(Out, ComponentJson(Root, true));
    Out += '\n';
    return Out;
}

std::unique_ptr<TReportPage> BuildDocumentPage(std::string_view Json) {
    const TJson Root = ParseDescription(Json);
    if (!Root.is_object())
        BadDescription("the page is not an object");

    std::unique_ptr<TReportPage> Page = NewDocumentPage();
    Page->BeginLoading();
    if (const TJson* Properties = Member(Root, "properties", TJson::value_t::object))
        for (auto It = Properties->begin(); It != Properties->end(); ++It)
            ReadPageProperty(*Page, It.key(), [&] {
                return EncodeValue(It.value(), FindPropertyType(PageProperties(), It.key()));
            });

    std::vector<TBuiltItem> Items;
    if (const TJson* Descriptions = Member(Root, "items", TJson::value_t::array)) {
        if (Descriptions->size() > MaxItemsPerPage)
            Raise(Msg::TooManyItems, {std::to_string(MaxItemsPerPage)});
        for (std::size_t I = 0; I < Descriptions->size(); ++I) {
            try {
                Items.push_back(BuildItem(*Page, (*Descriptions)[I]));
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
