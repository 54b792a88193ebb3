#include "document/StreamFormat.h"

#include <cmath>

namespace {

constexpr int ExponentBias = 16383;
constexpr int MaxExponent = 0x7FFF;
constexpr std::uint64_t LeadingBit = std::uint64_t{1} << 63;
// Significand bits below the binary point of a normal number.
constexpr int FractionBits = 63;

char Lower(char C) {
    return (C >= 'A' && C <= 'Z') ? static_cast<char>(C - 'A' + 'a') : C;
}

TExtendedBytes Pack(bool Negative, int Exponent, std::uint64_t Significand) {
    TExtendedBytes Bytes{};
    for (std::size_t I = 0; I < 8; ++I)
        Bytes[I] = static_cast<std::uint8_t>(Significand >> (8 * I));
    const unsigned SignExponent =
        (Negative ? 0x8000u : 0u) | static_cast<unsigned>(Exponent & MaxExponent);
    Bytes[8] = static_cast<std::uint8_t>(SignExponent);
    Bytes[9] = static_cast<std::uint8_t>(SignExponent >> 8);
    return Bytes;
}

} // namespace

TExtendedBytes EncodeExtended(long double Value) {
    const bool Negative = std::signbit(Value);
    if (std::isnan(Value))
        return Pack(Negative, MaxExponent, LeadingBit | (LeadingBit >> 1));
    if (std::isinf(Value))
        return Pack(Negative, MaxExponent, LeadingBit);
    if (Value == 0)
        return Pack(Negative, 0, 0);

    const long double Magnitude = std::fabs(Value);
    int Exponent2 = 0;
    // Magnitude = Fraction * 2^Exponent2 with Fraction in [0.5, 1).
    const long double Fraction = std::frexp(Magnitude, &Exponent2);
    int Biased = Exponent2 - 1 + ExponentBias;
    if (Biased >= MaxExponent)
        return Pack(Negative, MaxExponent, LeadingBit);
    if (Biased <= 0) {
        // Denormal: the significand counts units of 2^-(16382 + 63).
        const long double Units =
            std::nearbyint(std::ldexp(Magnitude, ExponentBias - 1 + FractionBits));
        if (Units >= std::ldexp(1.0L, 63))
            return Pack(Negative, 1, LeadingBit);
        return Pack(Negative, 0, static_cast<std::uint64_t>(Units));
    }
    long double Units = std::nearbyint(std::ldexp(Fraction, 64));
    if (Units >= std::ldexp(1.0L, 64)) {
        // Rounding carried into the next binade (only where long double is wider than 64 bits).
        Units = std::ldexp(1.0L, 63);
        if (++Biased >= MaxExponent)
            return Pack(Negative, MaxExponent, LeadingBit);
    }
    return Pack(Negative, Biased, static_cast<std::uint64_t>(Units));
}

long double DecodeExtended(const TExtendedBytes& Bytes) {
    std::uint64_t Significand = 0;
    for (std::size_t I = 0; I < 8; ++I)
        Significand |= std::uint64_t{Bytes[I]} << (8 * I);
    const unsigned SignExponent = Bytes[8] | (static_cast<unsigned>(Bytes[9]) << 8);
    const bool Negative = (SignExponent & 0x8000u) != 0;
    const int Exponent = static_cast<int>(SignExponent & 0x7FFFu);

    long double Magnitude;
    if (Exponent == MaxExponent) {
        if (Significand == LeadingBit)
            Magnitude = HUGE_VALL;
        else
            return std::nanl("");
    } else if (Exponent == 0) {
        Magnitude =
            std::ldexp(static_cast<long double>(Significand), 1 - ExponentBias - FractionBits);
    } else {
        if ((Significand & LeadingBit) == 0)
            return std::nanl("");
        Magnitude = std::ldexp(static_cast<long double>(Significand),
                               Exponent - ExponentBias - FractionBits);
    }
    return Negative ? -Magnitude : Magnitude;
}

std::string_view IdentToName(TIdentTable Table, std::int32_t Value) {
    for (const TIdentEntry& Entry : Table)
        if (Entry.Value == Value)
            return Entry.Name;
    return {};
}

std::optional<std::int32_t> NameToIdent(TIdentTable Table, std::string_view Name) {
    for (const TIdentEntry& Entry : Table)
        if (SameName(Entry.Name, Name))
            return Entry.Value;
    return std::nullopt;
}

bool SameName(std::string_view A, std::string_view B) {
    if (A.size() != B.size())
        return false;
    for (std::size_t I = 0; I < A.size(); ++I)
        if (Lower(A[I]) != Lower(B[I]))
            return false;
    return true;
}

std::optional<std::size_t> FindName(std::span<const std::string_view> Names,
                                    std::string_view Name) {
    for (std::size_t I = 0; I < Names.size(); ++I)
        if (SameName(Names[I], Name))
            return I;
    return std::nullopt;
}

QString DecodeWideString(std::string_view Units) {
    QString Text(static_cast<qsizetype>(Units.size() / 2), Qt::Uninitialized);
    for (qsizetype I = 0; I < Text.size(); ++I) {
        const auto At = static_cast<std::size_t>(2 * I);
        Text[I] = QChar(static_cast<char16_t>(static_cast<std::uint8_t>(Units[At]) |
                                              static_cast<std::uint8_t>(Units[At + 1]) << 8));
    }
    return Text;
}
