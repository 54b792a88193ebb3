#include "document/StreamTree.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReader.h"

#include <cstring>

namespace {

void ParseRecords(TReader& Reader, std::vector<TStreamRecord>& Records, int Depth);

TStreamValue ParseValue(TReader& Reader, int Depth) {
    if (Depth > TReader::MaxNesting)
        InvalidPropertyValue();
    TStreamValue Value;
    Value.Type = Reader.NextValue();
    switch (Value.Type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        Value.Integer = Reader.ReadInteger(true);
        return Value;
    case TValueType::vaExtended:
        Value.Float = Reader.ReadFloat();
        return Value;
    default:
        break;
    }
    Reader.ReadValue();
    switch (Value.Type) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        break;
    case TValueType::vaList:
        while (!Reader.EndOfList())
            Value.Items.push_back(ParseValue(Reader, Depth + 1));
        Reader.ReadValue();
        break;
    case TValueType::vaString:
    case TValueType::vaIdent:
        Value.Bytes = Reader.ReadStr();
        break;
    case TValueType::vaBinary:
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
        Value.Bytes = Reader.ReadBytes(Reader.ReadLength());
        break;
    case TValueType::vaWString:
        Value.Bytes = Reader.ReadWideBytes();
        break;
    case TValueType::vaSet:
        for (std::string_view Name = Reader.ReadStr(); !Name.empty(); Name = Reader.ReadStr())
            Value.Members.push_back(Name);
        break;
    case TValueType::vaCollection:
        while (!Reader.EndOfList()) {
            TStreamValue Item;
            Item.Type = TValueType::vaList;
            Item.Integer = -1;
            const TValueType Next = Reader.NextValue();
            if (Next == TValueType::vaInt8 || Next == TValueType::vaInt16 ||
                Next == TValueType::vaInt32)
                Item.Integer = Reader.ReadInteger();
            Reader.ReadListBegin();
            ParseRecords(Reader, Item.Records, Depth + 1);
            Value.Items.push_back(std::move(Item));
        }
        Reader.ReadValue();
        break;
    case TValueType::vaSingle: {
        float Single;
        std::memcpy(&Single, Reader.ReadBytes(4).data(), 4);
        Value.Float = Single;
        break;
    }
    case TValueType::vaDate: {
        double Date;
        std::memcpy(&Date, Reader.ReadBytes(8).data(), 8);
        Value.Float = Date;
        break;
    }
    case TValueType::vaCurrency: {
        std::int64_t Units;
        std::memcpy(&Units, Reader.ReadBytes(8).data(), 8);
        Value.Integer = Units;
        Value.Float = static_cast<long double>(Units) / 10000;
        break;
    }
    default:
        InvalidPropertyValue();
    }
    return Value;
}

void ParseRecords(TReader& Reader, std::vector<TStreamRecord>& Records, int Depth) {
    while (!Reader.EndOfList()) {
        TStreamRecord Record;
        Record.Path = Reader.ReadStr();
        Record.Value = ParseValue(Reader, Depth);
        Records.push_back(std::move(Record));
    }
    Reader.ReadValue();
}

TStreamComponent ParseComponent(TReader& Reader, int Depth) {
    if (Depth > TReader::MaxNesting)
        Raise(Msg::InvalidStreamFormat);
    TStreamComponent Component;
    Reader.ReadPrefix(Component.Flags, Component.ChildPosition);
    Component.ClassName = Reader.ReadStr();
    Component.Name = Reader.ReadStr();
    ParseRecords(Reader, Component.Properties, 0);
    while (!Reader.EndOfList())
        Component.Children.push_back(ParseComponent(Reader, Depth + 1));
    Reader.ReadValue();
    return Component;
}

} // namespace

TStreamComponent ParseComponentStream(std::string_view Data) {
    TReader Reader(Data);
    Reader.ReadSignature();
    return ParseComponent(Reader, 0);
}
