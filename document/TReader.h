#pragma once

#include "document/StreamValue.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Reads the values of a component stream from bytes in memory. Every length is checked against
// the bytes that remain before anything is allocated; running out of bytes fails with "Stream
// read error", a value of the wrong kind with "Invalid property value".
class TReader {
public:
    // Lists nested deeper than this are refused rather than followed.
    static constexpr int MaxNesting = 32;

    explicit TReader(std::string_view Data) : FData(Data) {}

    std::size_t Position() const { return FPosition; }
    std::size_t Remaining() const { return FData.size() - FPosition; }

    // "Invalid stream format" unless the next four bytes are "TPF0".
    void ReadSignature();
    // The optional prefix of a component record; Flags is 0 without one.
    void ReadPrefix(std::uint8_t& Flags, std::int32_t& ChildPosition);
    // The head of a component record: its prefix, class name and name.
    struct TComponentHead {
        std::uint8_t Flags = 0;
        std::int32_t ChildPosition = 0;
        std::string_view ClassName;
        std::string_view Name;
    };
    TComponentHead ReadComponentHead();
    // A record's properties up to their end marker: OnProperty(Path) reads each one's value.
    template <typename F> void ReadProperties(F&& OnProperty) {
        while (!EndOfList())
            OnProperty(ReadStr());
        ReadValue();
    }
    // A record's children up to their end marker: OnChild() reads each child's record.
    template <typename F> void ReadChildren(F&& OnChild) {
        while (!EndOfList())
            OnChild();
        ReadValue();
    }
    // A short string: one length byte and that many bytes, viewed in place.
    std::string_view ReadStr();

    TValueType NextValue() const;
    TValueType ReadValue();
    // Whether the next byte ends a list (or a record's properties or children).
    bool EndOfList() const { return NextValue() == TValueType::vaNull; }
    void ReadListBegin();
    void ReadListEnd();

    // Tags 02 to 04 (and 13 when Allow64).
    std::int64_t ReadInteger(bool Allow64 = false);
    // Tag 05, or an integer tag converted; refuses values that are not finite.
    long double ReadFloat();
    // Tag 07, or 08, 09, 0D and 00 read as "False", "True", "nil" and "Null".
    std::string_view ReadIdent();
    // Tags 06, 0C (Windows-1252), 12 (UTF-16) and 14 (UTF-8).
    QString ReadString();
    // The same tags, as 8-bit (Windows-1252) text for string lists.
    std::string ReadString8();
    // Tag 0B; every name must be one of Names (compared without regard to case).
    std::uint32_t ReadSet(std::span<const std::string_view> Names);
    // One value of any kind as it is stored, lists and collections included: the one grammar of
    // values, for reading past one as for showing it. Value is filled in place, so that reading
    // value after value into it allocates only when a list outgrows an earlier one.
    void ReadAnyValue(TStreamValue& Value);
    // Reads past one value of any kind.
    void SkipValue();

    // Raw access for the values that need no conversion.
    std::string_view ReadBytes(std::size_t Count);
    std::uint32_t ReadLength();
    // The UTF-16LE code units of a wide string, after its tag.
    std::string_view ReadWideBytes();

private:
    std::uint8_t ReadByte();
    std::uint64_t ReadLittleEndian(std::size_t Size);
    void Need(std::size_t Count) const;
    void ReadAnyValue(TStreamValue& Value, int Depth);
    void ReadRecords(std::vector<TStreamRecord>& Records, int Depth);

    std::string_view FData;
    std::size_t FPosition = 0;
};

// Raises "Invalid property value".
[[noreturn]] void InvalidPropertyValue();
