#include "document/StreamTree.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReader.h"

#include <cstring>

namespace {

void ParseRecords(TReader& Reader, std::vector<TStreamRecord>& Records, int Depth);

// Fills Value in place, so that parsing record after record into the same value allocates only
// when a list grows beyond what an earlier one held.
void ParseValue(TReader& Reader, TStreamValue& Value, int Depth) {
    if (Depth > TReader::MaxNesting)
        InvalidPropertyValue();
    Value.Type = Reader.NextValue();
    Value.Integer = 0;
    Value.Float = 0;
    Value.Bytes = {};
    Value.Members.clear();
    Value.Records.clear();
    switch (Value.Type) {
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        Value.Integer = Reader.ReadInteger(true);
        Value.Items.clear();
        return;
    case TValueType::vaExtended:
        Value.Float = Reader.ReadFloat();
        Value.Items.clear();
        return;
    default:
        break;
    }
    Reader.ReadValue();
    std::size_t Count = 0;
    switch (Value.Type) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        break;
    case TValueType::vaList:
        while (!Reader.EndOfList()) {
            if (Value.Items.size() <= Count)
                Value.Items.emplace_back();
            ParseValue(Reader, Value.Items[Count++], Depth + 1);
        }
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
            if (Value.Items.size() <= Count)
                Value.Items.emplace_back();
            TStreamValue& Item = Value.Items[Count++];
            Item = {};
            Item.Type = TValueType::vaList;
            Item.Integer = -1;
            const TValueType Next = Reader.NextValue();
            if (Next == TValueType::vaInt8 || Next == TValueType::vaInt16 ||
                Next == TValueType::vaInt32)
                Item.Integer = Reader.ReadInteger();
            Reader.ReadListBegin();
            ParseRecords(Reader, Item.Records, Depth + 1);
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
    Value.Items.resize(Count);
}

void ParseRecords(TReader& Reader, std::vector<TStreamRecord>& Records, int Depth) {
    while (!Reader.EndOfList()) {
        TStreamRecord& Record = Records.emplace_back();
        Record.Path = Reader.ReadStr();
        ParseValue(Reader, Record.Value, Depth);
    }
    Reader.ReadValue();
}

void ParseComponent(TReader& Reader, TStreamVisitor& Visitor, TStreamValue& Value, int Depth) {
    if (Depth > TReader::MaxNesting)
        Raise(Msg::InvalidStreamFormat);
    std::uint8_t Flags;
    std::int32_t ChildPosition;
    Reader.ReadPrefix(Flags, ChildPosition);
    const std::string_view ClassName = Reader.ReadStr();
    const std::string_view Name = Reader.ReadStr();
    Visitor.BeginComponent(Flags, ChildPosition, ClassName, Name);
    while (!Reader.EndOfList()) {
        const std::string_view Path = Reader.ReadStr();
        ParseValue(Reader, Value, 0);
        Visitor.Property(Path, Value);
    }
    Reader.ReadValue();
    while (!Reader.EndOfList())
        ParseComponent(Reader, Visitor, Value, Depth + 1);
    Reader.ReadValue();
    Visitor.EndComponent();
}

class TTreeBuilder final : public TStreamVisitor {
public:
    TStreamComponent Root;

    void BeginComponent(std::uint8_t Flags, std::int32_t ChildPosition, std::string_view ClassName,
                        std::string_view Name) override {
        TStreamComponent& C = FOpen.empty() ? Root : FOpen.back()->Children.emplace_back();
        C.Flags = Flags;
        C.ChildPosition = ChildPosition;
        C.ClassName = ClassName;
        C.Name = Name;
        FOpen.push_back(&C);
    }
    void Property(std::string_view Path, const TStreamValue& Value) override {
        FOpen.back()->Properties.push_back({Path, Value});
    }
    void EndComponent() override { FOpen.pop_back(); }

private:
    // The components whose records are being read, the root first. A child is complete before
    // its parent's next child is added, so the pointers stay valid.
    std::vector<TStreamComponent*> FOpen;
};

} // namespace

void ParseComponentStream(std::string_view Data, TStreamVisitor& Visitor) {
    TReader Reader(Data);
    Reader.ReadSignature();
    TStreamValue Value;
    ParseComponent(Reader, Visitor, Value, 0);
}

TStreamComponent ParseComponentStream(std::string_view Data) {
    TTreeBuilder Builder;
    ParseComponentStream(Data, Builder);
    return std::move(Builder.Root);
}
