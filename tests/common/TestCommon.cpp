#include "common/Rounding.h"
#include "common/TException.h"
#include "common/Text1252.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

TEST(Format, FillsPlaceholdersInOrder) {
    struct Case {
        const char* Text;
        std::initializer_list<std::string_view> Args;
        const char* Expected;
    };
    const Case Cases[] = {
        {"Class %s not found", {"TFoo"}, "Class TFoo not found"},
        {"Error reading %s%s%s: %s",
         {"TQRepBarcode", ".", "Foo", "x"},
         "Error reading TQRepBarcode.Foo: x"},
        {"List index out of bounds (%d)", {"7"}, "List index out of bounds (7)"},
        {"100%% %s", {"done"}, "100% done"},
        {"%s and %s", {"one"}, "one and %s"},
    };
    for (const Case& C : Cases)
        EXPECT_EQ(Format(C.Text, C.Args), C.Expected) << C.Text;
}

TEST(Rounding, HalvesGoToEven) {
    // Hand-computed: banker's rounding of the halves, ordinary rounding elsewhere; beyond the
    // 32-bit range (2147483647) or a Limit the result is capped, and not a number gives 0.
    constexpr long double Inf = std::numeric_limits<long double>::infinity();
    const struct {
        long double Value;
        std::optional<std::int32_t> Limit; // ClampedPixels; none: RoundToInt
        std::int32_t Expected;
    } Cases[] = {
        {0.5L, {}, 0},
        {1.5L, {}, 2},
        {2.5L, {}, 2},
        {-0.5L, {}, 0},
        {-1.5L, {}, -2},
        {793.7007L, {}, 794},
        {1122.5L, {}, 1122},
        {2147483646.5L, {}, 2147483646},
        {2147483647.5L, {}, 2147483647},
        {-2147483648.5L, {}, -2147483648},
        {1e30L, {}, 2147483647},
        {-Inf, {}, -2147483648},
        {std::nanl(""), {}, 0},
        {2.5L, 100, 2},
        {-99.5L, 100, -100},
        {100.4L, 100, 100},
        {1e30L, 16777215, 16777215},
        {Inf, 1 << 28, 268435456},
        {-Inf, 16777215, -16777215},
        {std::nanl(""), 16777215, 0},
    };
    for (const auto& C : Cases)
        EXPECT_EQ(C.Limit ? ClampedPixels(C.Value, *C.Limit) : RoundToInt(C.Value), C.Expected)
            << static_cast<double>(C.Value);
}

TEST(Text1252, RoundTripsEveryByteAndMapsTheHighRange) {
    std::string All;
    for (int I = 0; I < 256; ++I)
        All += static_cast<char>(I);
    EXPECT_EQ(ToCp1252(FromCp1252(All)), All);
    // Windows-1252 chart: 0x80 is the euro sign, 0x9F is Y with diaeresis, 0xE9 is e acute.
    EXPECT_EQ(FromCp1252("\x80\x9F\xE9"), QString::fromUtf8("\u20AC\u0178\u00E9"));
    EXPECT_EQ(ToCp1252(QString::fromUtf8("\u20AC \u4E2D")), "\x80 ?");
}
