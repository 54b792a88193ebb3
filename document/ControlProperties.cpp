#include "document/ControlProperties.h"

#include <array>
#include <cmath>

long double MaxNativeLength(std::int32_t Resolution) {
    // Pixels = native / (254 / R) * zoom / 100, at the highest zoom of 300.
    const long double PixelsPerNative = std::max(Resolution, 1) / 254.0L * 3;
    return static_cast<long double>(MaxPixelCoordinate) / PixelsPerNative;
}

void WriteUnitValues(TWriter& Writer, const TUnitBase& Unit) {
    Writer.WriteListBegin();
    for (std::size_t I = 0; I < Unit.ValueCount(); ++I)
        Writer.WriteFloat(Unit.NativeValue(I));
    Writer.WriteListEnd();
}

void ReadUnitValues(TReader& Reader, TUnitBase& Unit) {
    // The unit objects hold at most seven values.
    std::array<long double, 8> Values{};
    const std::size_t Count = Unit.ValueCount();
    if (Count > Values.size())
        InvalidPropertyValue();
    const long double Limit = MaxNativeLength(Unit.Resolution());
    Reader.ReadListBegin();
    for (std::size_t I = 0; I < Count; ++I) {
        if (Reader.EndOfList())
            InvalidPropertyValue();
        Values[I] = Reader.ReadFloat();
        if (std::fabs(Values[I]) > Limit)
            InvalidPropertyValue();
    }
    Reader.ReadListEnd();
    Unit.ReadValues(std::span<const long double>(Values.data(), Count));
}

void WriteLines(TWriter& Writer, const TStrings& Lines) {
    Writer.WriteListBegin();
    for (const std::string& Line : Lines)
        Writer.WriteLine(Line);
    Writer.WriteListEnd();
}

TStrings ReadLines(TReader& Reader) {
    TStrings Lines;
    Reader.ReadListBegin();
    while (!Reader.EndOfList())
        Lines.push_back(Reader.ReadString8());
    Reader.ReadListEnd();
    return Lines;
}
