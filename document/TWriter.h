#pragma once

#include "document/StreamFormat.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Writes the values of a component stream into memory; the caller puts the bytes where they go
// (a file, the clipboard), so a failure never leaves half a stream behind.
class TWriter {
public:
    void WriteSignature();
    // One length byte and up to 255 bytes of 8-bit text; longer text is cut.
    void WriteStr(std::string_view Bytes);
    void WriteValueType(TValueType Type) { FData.push_back(static_cast<char>(Type)); }
    void WriteListBegin() { WriteValueType(TValueType::vaList); }
    // Ends a list, a set, a record's properties or its children.
    void WriteListEnd() { FData.push_back('\0'); }

    // The smallest of the 8-, 16- and 32-bit tags that holds the value; 64-bit beyond.
    void WriteInteger(std::int64_t Value);
    void WriteFloat(long double Value);
    void WriteBoolean(bool Value);
    // An enumeration value's name; "False", "True", "nil" and "Null" have tags of their own.
    void WriteIdent(std::string_view Name);
    // A text property: short or long 8-bit string, UTF-8 or UTF-16, whichever the text needs.
    void WriteString(const QString& Text);
    // A line of a string list, from its 8-bit (Windows-1252) text.
    void WriteLine(const std::string& Bytes);
    // The names of the members whose bits are set, in ascending ordinal order.
    void WriteSet(std::span<const std::string_view> Names, std::uint32_t Bits);

    const std::string& Data() const { return FData; }
    std::string Take() { return std::move(FData); }

private:
    void WriteBytes(const void* Bytes, std::size_t Count);
    void WriteLength(std::size_t Count);
    void Write8Bit(std::string_view Bytes);

    std::string FData;
};
