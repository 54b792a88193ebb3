#include "document/TWriter.h"

#include "common/Text1252.h"

#include <limits>

void TWriter::WriteBytes(const void* Bytes, std::size_t Count) {
    FData.append(static_cast<const char*>(Bytes), Count);
}

void TWriter::WriteLength(std::size_t Count) {
    const auto Length = static_cast<std::uint32_t>(Count);
    for (int I = 0; I < 4; ++I)
        FData.push_back(static_cast<char>(Length >> (8 * I)));
}

void TWriter::WriteSignature() {
    WriteBytes(StreamSignature.data(), StreamSignature.size());
}

void TWriter::WriteStr(std::string_view Bytes) {
    const std::size_t Length = std::min<std::size_t>(Bytes.size(), 255);
    FData.push_back(static_cast<char>(Length));
    WriteBytes(Bytes.data(), Length);
}

void TWriter::WriteInteger(std::int64_t Value) {
    std::size_t Size;
    if (Value >= std::numeric_limits<std::int8_t>::min() &&
        Value <= std::numeric_limits<std::int8_t>::max()) {
        WriteValueType(TValueType::vaInt8);
        Size = 1;
    } else if (Value >= std::numeric_limits<std::int16_t>::min() &&
               Value <= std::numeric_limits<std::int16_t>::max()) {
        WriteValueType(TValueType::vaInt16);
        Size = 2;
    } else if (Value >= std::numeric_limits<std::int32_t>::min() &&
               Value <= std::numeric_limits<std::int32_t>::max()) {
        WriteValueType(TValueType::vaInt32);
        Size = 4;
    } else {
        WriteValueType(TValueType::vaInt64);
        Size = 8;
    }
    const auto Bits = static_cast<std::uint64_t>(Value);
    for (std::size_t I = 0; I < Size; ++I)
        FData.push_back(static_cast<char>(Bits >> (8 * I)));
}

void TWriter::WriteFloat(long double Value) {
    WriteValueType(TValueType::vaExtended);
    const TExtendedBytes Bytes = EncodeExtended(Value);
    WriteBytes(Bytes.data(), Bytes.size());
}

void TWriter::WriteBoolean(bool Value) {
    WriteValueType(Value ? TValueType::vaTrue : TValueType::vaFalse);
}

void TWriter::WriteIdent(std::string_view Name) {
    if (SameName(Name, "False")) {
        WriteValueType(TValueType::vaFalse);
    } else if (SameName(Name, "True")) {
        WriteValueType(TValueType::vaTrue);
    } else if (SameName(Name, "nil")) {
        WriteValueType(TValueType::vaNil);
    } else if (SameName(Name, "Null")) {
        WriteValueType(TValueType::vaNull);
    } else {
        WriteValueType(TValueType::vaIdent);
        WriteStr(Name);
    }
}

void TWriter::Write8Bit(std::string_view Bytes) {
    if (Bytes.size() < 256) {
        WriteValueType(TValueType::vaString);
        WriteStr(Bytes);
    } else {
        WriteValueType(TValueType::vaLString);
        WriteLength(Bytes.size());
        WriteBytes(Bytes.data(), Bytes.size());
    }
}

void TWriter::WriteString(const QString& Text) {
    const QByteArray Utf8 = Text.toUtf8();
    const auto Units = static_cast<std::size_t>(Text.size());
    const auto Utf8Size = static_cast<std::size_t>(Utf8.size());
    if (Utf8Size < 2 * Units) {
        const std::string Ansi = ToCp1252(Text);
        if (std::string_view(Ansi) != std::string_view(Utf8.constData(), Utf8Size)) {
            WriteValueType(TValueType::vaUTF8String);
            WriteLength(Utf8Size);
            WriteBytes(Utf8.constData(), Utf8Size);
        } else {
            Write8Bit(Ansi);
        }
        return;
    }
    WriteValueType(TValueType::vaWString);
    WriteLength(Units);
    for (const QChar C : Text) {
        const char16_t U = C.unicode();
        FData.push_back(static_cast<char>(U & 0xFF));
        FData.push_back(static_cast<char>(U >> 8));
    }
}

void TWriter::WriteLine(const std::string& Bytes) {
    const QByteArray Utf8 = FromCp1252(Bytes).toUtf8();
    if (std::string_view(Utf8.constData(), static_cast<std::size_t>(Utf8.size())) != Bytes) {
        WriteValueType(TValueType::vaUTF8String);
        WriteLength(static_cast<std::size_t>(Utf8.size()));
        WriteBytes(Utf8.constData(), static_cast<std::size_t>(Utf8.size()));
    } else {
        Write8Bit(Bytes);
    }
}

void TWriter::WriteSet(std::span<const std::string_view> Names, std::uint32_t Bits) {
    WriteValueType(TValueType::vaSet);
    for (std::size_t I = 0; I < Names.size() && I < 32; ++I)
        if ((Bits >> I) & 1u)
            WriteStr(Names[I]);
    WriteStr({});
}
