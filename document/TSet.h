#pragma once

#include <cstdint>
#include <initializer_list>

// A set of up to 32 members of an enumeration, held by ordinal as the document file stores it.
template <typename TEnum> class TSet {
public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<TEnum> Members) {
        for (const TEnum Member : Members)
            Include(Member);
    }

    constexpr bool Contains(TEnum Member) const { return (FBits & Bit(Member)) != 0; }
    constexpr void Include(TEnum Member) { FBits |= Bit(Member); }
    constexpr void Exclude(TEnum Member) { FBits &= ~Bit(Member); }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr std::uint32_t Bits() const { return FBits; }
    static constexpr TSet FromBits(std::uint32_t Bits) {
        TSet Result;
        Result.FBits = Bits;
        return Result;
    }
    constexpr bool operator==(const TSet&) const = default;

private:
    static constexpr std::uint32_t Bit(TEnum Member) {
        return std::uint32_t{1} << static_cast<unsigned>(Member);
    }
    std::uint32_t FBits = 0;
};
