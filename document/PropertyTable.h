#pragma once

#include "common/Messages.h"
#include "common/TException.h"
#include "document/StreamFormat.h"
#include "document/TReader.h"
#include "document/TWriter.h"

#include <QString>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string_view>

// The stored properties of a class as one table, in writing order, with full paths for the
// properties of nested objects ("Frame.Color"). The writer walks it to write an object and the
// reader looks paths up in it to assign values, so both always agree on names, types, order,
// defaults and stored conditions.

enum class TPropKind : std::uint8_t {
    pkInteger,   // 32-bit, optionally with a name table (Idents)
    pkEnum,      // value names in Names
    pkBoolean,   //
    pkFloat,     // written as extended
    pkString,    // text
    pkSet,       // member names in Names
    pkEvent,     // never assigned in this program: only nil is read
    pkReference, // a component reference: nil, or a name that resolves to nothing here
    pkDefined    // the object's own named value (Page.Values, Size.Values, ...)
};

template <typename TObj> struct TProperty {
    std::string_view Path;
    TPropKind Kind = TPropKind::pkInteger;
    std::span<const std::string_view> Names = {};
    TIdentTable Idents = {};
    // Integers outside this range are refused with "Invalid property value".
    std::int64_t Min = std::numeric_limits<std::int32_t>::min();
    std::int64_t Max = std::numeric_limits<std::int32_t>::max();
    // Integers, enumerations (ordinal), booleans (0, 1) and sets (member bits).
    std::int64_t (*GetOrd)(const TObj&) = nullptr;
    void (*SetOrd)(TObj&, std::int64_t) = nullptr;
    long double (*GetFloat)(const TObj&) = nullptr;
    void (*SetFloat)(TObj&, long double) = nullptr;
    QString (*GetText)(const TObj&) = nullptr;
    void (*SetText)(TObj&, const QString&) = nullptr;
    // Defined properties write and read their whole value themselves.
    void (*WriteDefined)(TWriter&, const TObj&) = nullptr;
    void (*ReadDefined)(TReader&, TObj&) = nullptr;
    // Ordinal values equal to the declared default are not written.
    std::optional<std::int64_t> Default = std::nullopt;
    // Written only when this holds (and, for defined properties, when there is data); null for
    // always. Properties that are read but never written use StoredNever.
    bool (*Stored)(const TObj&) = nullptr;
};

template <typename TObj> bool StoredNever(const TObj&) {
    return false;
}

// What a stored property holds, without its accessors: enough to turn a value from elsewhere
// (a JSON page description) into the stream value the reader takes.
struct TPropertyType {
    TPropKind Kind;
    std::span<const std::string_view> Names;
    TIdentTable Idents;
};

template <typename TObj>
std::optional<TPropertyType> FindPropertyType(std::span<const TProperty<TObj>> Table,
                                              std::string_view Path) {
    for (const TProperty<TObj>& P : Table)
        if (SameName(P.Path, Path))
            return TPropertyType{P.Kind, P.Names, P.Idents};
    return std::nullopt;
}

// Joins tables (constexpr arrays of TProperty) into one.
template <typename T, std::size_t... N>
constexpr auto JoinTables(const std::array<T, N>&... Parts) {
    std::array<T, (N + ...)> Result{};
    std::size_t At = 0;
    ((std::copy(Parts.begin(), Parts.end(), Result.begin() + static_cast<std::ptrdiff_t>(At)),
      At += N),
     ...);
    return Result;
}

template <typename TObj>
void WriteProperty(TWriter& Writer, const TObj& Object, const TProperty<TObj>& P) {
    if (P.Stored != nullptr && !P.Stored(Object))
        return;
    switch (P.Kind) {
    case TPropKind::pkInteger: {
        const std::int64_t Value = P.GetOrd(Object);
        if (P.Default && *P.Default == Value)
            return;
        Writer.WriteStr(P.Path);
        const std::string_view Name = IdentToName(P.Idents, static_cast<std::int32_t>(Value));
        if (!Name.empty())
            Writer.WriteIdent(Name);
        else
            Writer.WriteInteger(Value);
        return;
    }
    case TPropKind::pkEnum:
    case TPropKind::pkBoolean: {
        const std::int64_t Value = P.GetOrd(Object);
        if (P.Default && *P.Default == Value)
            return;
        Writer.WriteStr(P.Path);
        if (P.Kind == TPropKind::pkBoolean)
            Writer.WriteBoolean(Value != 0);
        else
            Writer.WriteIdent(P.Names[static_cast<std::size_t>(Value)]);
        return;
    }
    case TPropKind::pkSet: {
        const std::int64_t Value = P.GetOrd(Object);
        if (P.Default && *P.Default == Value)
            return;
        Writer.WriteStr(P.Path);
        Writer.WriteSet(P.Names, static_cast<std::uint32_t>(Value));
        return;
    }
    case TPropKind::pkFloat: {
        const long double Value = P.GetFloat(Object);
        if (Value == 0)
            return;
        Writer.WriteStr(P.Path);
        Writer.WriteFloat(Value);
        return;
    }
    case TPropKind::pkString: {
        const QString Value = P.GetText(Object);
        if (Value.isEmpty())
            return;
        Writer.WriteStr(P.Path);
        Writer.WriteString(Value);
        return;
    }
    case TPropKind::pkEvent:
    case TPropKind::pkReference:
        return; // never assigned here
    case TPropKind::pkDefined:
        Writer.WriteStr(P.Path);
        P.WriteDefined(Writer, Object);
        return;
    }
}

template <typename TObj>
void WriteProperties(TWriter& Writer, const TObj& Object, std::span<const TProperty<TObj>> Table) {
    for (const TProperty<TObj>& P : Table)
        WriteProperty(Writer, Object, P);
}

// Raises the error for a path that names no property of the table: "Invalid property path" when
// a leading name is a property that holds no object, else "Property %s does not exist" with the
// first name that is unknown.
template <typename TObj>
[[noreturn]] void RaiseUnknownPath(std::span<const TProperty<TObj>> Table, std::string_view Path) {
    std::size_t Start = 0;
    for (;;) {
        const std::size_t Dot = Path.find('.', Start);
        if (Dot == std::string_view::npos)
            Raise(Msg::PropertyDoesNotExist, {Path.substr(Start)});
        const std::string_view Prefix = Path.substr(0, Dot);
        bool IsObject = false;
        for (const TProperty<TObj>& P : Table) {
            if (P.Path.size() > Prefix.size() && P.Path[Prefix.size()] == '.' &&
                SameName(P.Path.substr(0, Prefix.size()), Prefix)) {
                IsObject = true;
                break;
            }
            if (P.Kind != TPropKind::pkDefined && SameName(P.Path, Prefix))
                Raise(Msg::InvalidPropertyPath);
        }
        if (!IsObject)
            Raise(Msg::PropertyDoesNotExist, {Path.substr(Start, Dot - Start)});
        Start = Dot + 1;
    }
}

template <typename TObj>
void ReadPropertyValue(TReader& Reader, TObj& Object, const TProperty<TObj>& P) {
    switch (P.Kind) {
    case TPropKind::pkInteger: {
        std::int64_t Value;
        if (Reader.NextValue() == TValueType::vaIdent) {
            Reader.ReadValue();
            const std::optional<std::int32_t> Named = NameToIdent(P.Idents, Reader.ReadStr());
            if (!Named)
                InvalidPropertyValue();
            Value = *Named;
        } else {
            Value = Reader.ReadInteger();
        }
        if (Value < P.Min || Value > P.Max)
            InvalidPropertyValue();
        P.SetOrd(Object, Value);
        return;
    }
    case TPropKind::pkEnum:
    case TPropKind::pkBoolean: {
        static constexpr std::array<std::string_view, 2> BooleanNames = {"False", "True"};
        const std::optional<std::size_t> Ordinal = FindName(
            P.Kind == TPropKind::pkBoolean ? std::span<const std::string_view>(BooleanNames)
                                           : P.Names,
            Reader.ReadIdent());
        if (!Ordinal)
            InvalidPropertyValue();
        P.SetOrd(Object, static_cast<std::int64_t>(*Ordinal));
        return;
    }
    case TPropKind::pkSet:
        P.SetOrd(Object, Reader.ReadSet(P.Names));
        return;
    case TPropKind::pkFloat:
        P.SetFloat(Object, Reader.ReadFloat());
        return;
    case TPropKind::pkString:
        P.SetText(Object, Reader.ReadString());
        return;
    case TPropKind::pkEvent:
        // No published methods to name, so only "unassigned" can be read.
        if (Reader.ReadValue() != TValueType::vaNil)
            InvalidPropertyValue();
        return;
    case TPropKind::pkReference:
        // nil, or the name of a component: this program's pages hold none it could name.
        if (Reader.NextValue() == TValueType::vaIdent)
            Reader.ReadIdent();
        else if (Reader.ReadValue() != TValueType::vaNil)
            InvalidPropertyValue();
        return;
    case TPropKind::pkDefined:
        P.ReadDefined(Reader, Object);
        return;
    }
}

// Reads one property record's value (the path has been read) and assigns it. Errors are the
// bare messages; the record reader adds which object and path they concern.
template <typename TObj>
void ReadProperty(TReader& Reader, TObj& Object, std::span<const TProperty<TObj>> Table,
                  std::string_view Path) {
    for (const TProperty<TObj>& P : Table) {
        if (SameName(P.Path, Path)) {
            ReadPropertyValue(Reader, Object, P);
            return;
        }
    }
    Reader.SkipValue();
    RaiseUnknownPath(Table, Path);
}

// Gives To every value of From the table can assign, in writing order as the reader assigns
// them; defined properties travel as their stored bytes.
template <typename TObj>
void CopyProperties(std::span<const TProperty<TObj>> Table, const TObj& From, TObj& To) {
    for (const TProperty<TObj>& P : Table) {
        if (P.SetOrd != nullptr && P.GetOrd != nullptr)
            P.SetOrd(To, P.GetOrd(From));
        else if (P.SetFloat != nullptr && P.GetFloat != nullptr)
            P.SetFloat(To, P.GetFloat(From));
        else if (P.SetText != nullptr && P.GetText != nullptr)
            P.SetText(To, P.GetText(From));
        else if (P.WriteDefined != nullptr && P.ReadDefined != nullptr) {
            TWriter Writer;
            P.WriteDefined(Writer, From);
            const std::string Bytes = Writer.Take();
            TReader Reader(Bytes);
            P.ReadDefined(Reader, To);
        }
    }
}
