#include "document/TReader.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"

#include <cmath>
#include <cstring>

void InvalidPropertyValue() {
    Raise(Msg::InvalidPropertyValue);
}

void TReader::Need(std::size_t Count) const {
    if (Count > Remaining())
        Raise(Msg::StreamReadError);
}

std::uint8_t TReader::ReadByte() {
    Need(1);
    return static_cast<std::uint8_t>(FData[FPosition++]);
}

std::uint64_t TReader::ReadLittleEndian(std::size_t Size) {
    Need(Size);
    std::uint64_t Value = 0;
    for (std::size_t I = 0; I < Size; ++I)
        Value |= std::uint64_t{static_cast<std::uint8_t>(FData[FPosition + I])} << (8 * I);
    FPosition += Size;
    return Value;
}

std::string_view TReader::ReadBytes(std::size_t Count) {
    Need(Count);
    const std::string_view Bytes = FData.substr(FPosition, Count);
    FPosition += Count;
    return Bytes;
}

std::uint32_t TReader::ReadLength() {
    const auto Length = static_cast<std::uint32_t>(ReadLittleEndian(4));
    Need(Length);
    return Length;
}

std::string_view TReader::ReadWideBytes() {
    const auto Units = static_cast<std::uint32_t>(ReadLittleEndian(4));
    if (Units > Remaining() / 2)
        Raise(Msg::StreamReadError);
    return ReadBytes(std::size_t{Units} * 2);
}

void TReader::ReadSignature() {
    const std::string_view Bytes = ReadBytes(StreamSignature.size());
    if (std::memcmp(Bytes.data(), StreamSignature.data(), StreamSignature.size()) != 0)
        Raise(Msg::InvalidStreamFormat);
}

void TReader::ReadPrefix(std::uint8_t& Flags, std::int32_t& ChildPosition) {
    Flags = 0;
    ChildPosition = 0;
    Need(1);
    const auto First = static_cast<std::uint8_t>(FData[FPosition]);
    if ((First & PrefixMark) != PrefixMark)
        return;
    ++FPosition;
    Flags = First & 0x0F;
    if (Flags & ffChildPos) {
        const std::int64_t Position = ReadInteger();
        ChildPosition = static_cast<std::int32_t>(Position);
    }
}

TReader::TComponentHead TReader::ReadComponentHead() {
    TComponentHead Head;
    ReadPrefix(Head.Flags, Head.ChildPosition);
    Head.ClassName = ReadStr();
    Head.Name = ReadStr();
    return Head;
}

std::string_view TReader::ReadStr() {
    const std::uint8_t Length = ReadByte();
    return ReadBytes(Length);
}

TValueType TReader::NextValue() const {
    Need(1);
    return static_cast<TValueType>(FData[FPosition]);
}

TValueType TReader::ReadValue() {
    return static_cast<TValueType>(ReadByte());
}

void TReader::ReadListBegin() {
    if (ReadValue() != TValueType::vaList)
        InvalidPropertyValue();
}

void TReader::ReadListEnd() {
    if (ReadValue() != TValueType::vaNull)
        InvalidPropertyValue();
}

std::int64_t TReader::ReadInteger(bool Allow64) {
    switch (ReadValue()) {
    case TValueType::vaInt8:
        return static_cast<std::int8_t>(ReadLittleEndian(1));
    case TValueType::vaInt16:
        return static_cast<std::int16_t>(ReadLittleEndian(2));
    case TValueType::vaInt32:
        return static_cast<std::int32_t>(ReadLittleEndian(4));
    case TValueType::vaInt64:
        if (Allow64)
            return static_cast<std::int64_t>(ReadLittleEndian(8));
        break;
    default:
        break;
    }
    InvalidPropertyValue();
}

long double TReader::ReadFloat() {
    long double Value;
    switch (NextValue()) {
    case TValueType::vaExtended: {
        ++FPosition;
        TExtendedBytes Bytes;
        const std::string_view Raw = ReadBytes(Bytes.size());
        std::memcpy(Bytes.data(), Raw.data(), Bytes.size());
        Value = DecodeExtended(Bytes);
        break;
    }
    case TValueType::vaInt8:
    case TValueType::vaInt16:
    case TValueType::vaInt32:
    case TValueType::vaInt64:
        Value = static_cast<long double>(ReadInteger(true));
        break;
    default:
        InvalidPropertyValue();
    }
    if (!std::isfinite(Value))
        InvalidPropertyValue();
    return Value;
}

std::string_view TReader::ReadIdent() {
    switch (ReadValue()) {
    case TValueType::vaIdent:
        return ReadStr();
    case TValueType::vaFalse:
        return "False";
    case TValueType::vaTrue:
        return "True";
    case TValueType::vaNil:
        return "nil";
    case TValueType::vaNull:
        return "Null";
    default:
        InvalidPropertyValue();
    }
}

QString TReader::ReadString() {
    switch (ReadValue()) {
    case TValueType::vaString:
        return FromCp1252(std::string(ReadStr()));
    case TValueType::vaLString:
        return FromCp1252(std::string(ReadBytes(ReadLength())));
    case TValueType::vaWString:
        return DecodeWideString(ReadWideBytes());
    case TValueType::vaUTF8String: {
        const std::string_view Bytes = ReadBytes(ReadLength());
        return QString::fromUtf8(Bytes.data(), static_cast<qsizetype>(Bytes.size()));
    }
    default:
        InvalidPropertyValue();
    }
}

std::string TReader::ReadString8() {
    switch (NextValue()) {
    case TValueType::vaString:
        ++FPosition;
        return std::string(ReadStr());
    case TValueType::vaLString:
        ++FPosition;
        return std::string(ReadBytes(ReadLength()));
    default:
        return ToCp1252(ReadString());
    }
}

std::uint32_t TReader::ReadSet(std::span<const std::string_view> Names) {
    if (ReadValue() != TValueType::vaSet)
        InvalidPropertyValue();
    std::uint32_t Bits = 0;
    for (;;) {
        const std::string_view Name = ReadStr();
        if (Name.empty())
            return Bits;
        std::size_t Member = 0;
        while (Member < Names.size() && Member < 32 && !SameName(Names[Member], Name))
            ++Member;
        if (Member == Names.size() || Member >= 32)
            InvalidPropertyValue();
        Bits |= std::uint32_t{1} << Member;
    }
}

void TReader::SkipValue() {
    TStreamValue Skipped;
    ReadAnyValue(Skipped, 0);
}

void TReader::ReadAnyValue(TStreamValue& Value) {
    ReadAnyValue(Value, 0);
}

void TReader::ReadAnyValue(TStreamValue& Value, int Depth) {
    if (Depth > TReader::MaxNesting)
        InvalidPropertyValue();
    Value.Type = NextValue();
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
        Value.Integer = ReadInteger(true);
        Value.Items.clear();
        return;
    case TValueType::vaExtended:
        Value.Float = ReadFloat();
        Value.Items.clear();
        return;
    default:
        break;
    }
    ReadValue();
    std::size_t Count = 0;
    switch (Value.Type) {
    case TValueType::vaNull:
    case TValueType::vaFalse:
    case TValueType::vaTrue:
    case TValueType::vaNil:
        break;
    case TValueType::vaList:
        while (!EndOfList()) {
            if (Value.Items.size() <= Count)
                Value.Items.emplace_back();
            ReadAnyValue(Value.Items[Count++], Depth + 1);
        }
        ReadValue();
        break;
    case TValueType::vaString:
    case TValueType::vaIdent:
        Value.Bytes = ReadStr();
        break;
    case TValueType::vaBinary:
    case TValueType::vaLString:
    case TValueType::vaUTF8String:
        Value.Bytes = ReadBytes(ReadLength());
        break;
    case TValueType::vaWString:
        Value.Bytes = ReadWideBytes();
        break;
    case TValueType::vaSet:
        for (std::string_view Name = ReadStr(); !Name.empty(); Name = ReadStr())
            Value.Members.push_back(Name);
        break;
    case TValueType::vaCollection:
        while (!EndOfList()) {
            if (Value.Items.size() <= Count)
                Value.Items.emplace_back();
            TStreamValue& Item = Value.Items[Count++];
            Item = {};
            Item.Type = TValueType::vaList;
            Item.Integer = -1;
            const TValueType Next = NextValue();
            if (Next == TValueType::vaInt8 || Next == TValueType::vaInt16 ||
                Next == TValueType::vaInt32)
                Item.Integer = ReadInteger();
            ReadListBegin();
            ReadRecords(Item.Records, Depth + 1);
        }
        ReadValue();
        break;
    case TValueType::vaSingle: {
        float Single;
        std::memcpy(&Single, ReadBytes(4).data(), 4);
        Value.Float = Single;
        break;
    }
    case TValueType::vaDate: {
        double Date;
        std::memcpy(&Date, ReadBytes(8).data(), 8);
        Value.Float = Date;
        break;
    }
    case TValueType::vaCurrency: {
        std::int64_t Units;
        std::memcpy(&Units, ReadBytes(8).data(), 8);
        Value.Integer = Units;
        Value.Float = static_cast<long double>(Units) / 10000;
        break;
    }
    default:
        InvalidPropertyValue();
    }
    Value.Items.resize(Count);
}

void TReader::ReadRecords(std::vector<TStreamRecord>& Records, int Depth) {
    ReadProperties([&](std::string_view Path) {
        TStreamRecord& Record = Records.emplace_back();
        Record.Path = Path;
        ReadAnyValue(Record.Value, Depth);
    });
}
