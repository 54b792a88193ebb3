#include "document/TPaperSize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// "8", "8.5" or "1/2" as a number.
double ParseToken(const std::string& Token) {
    const auto Slash = Token.find('/');
    if (Slash == std::string::npos)
        return std::stod(Token);
    return std::stod(Token.substr(0, Slash)) / std::stod(Token.substr(Slash + 1));
}

bool IsNumberToken(const std::string& Token) {
    return !Token.empty() && Token.find_first_not_of("0123456789./") == std::string::npos;
}

struct TNamedSize {
    double Width;
    double Length; // millimetres
};

// Reads the dimensions a display name states ("A4 210 x 297 mm", "Legal 8 1/2 x 14 in",
// "Envelope #9 3 7/8 x 8 7/8" in inches, "A4 Transverse 297 z 210 mm"); none for names that
// state none.
std::optional<TNamedSize> DimensionsInName(std::string_view Name) {
    std::istringstream In{std::string(Name)};
    std::vector<std::string> Tokens;
    for (std::string Token; In >> Token;)
        Tokens.push_back(Token);
    for (std::size_t By = 1; By + 1 < Tokens.size(); ++By) {
        if ((Tokens[By] != "x" && Tokens[By] != "z") || !IsNumberToken(Tokens[By - 1]))
            continue;
        double Width = 0;
        for (std::size_t I = By; I > 0 && IsNumberToken(Tokens[I - 1]) && By - I < 2; --I)
            Width += ParseToken(Tokens[I - 1]);
        double Length = 0;
        std::size_t After = By + 1;
        for (; After < Tokens.size() && IsNumberToken(Tokens[After]) && After - By <= 2; ++After)
            Length += ParseToken(Tokens[After]);
        const bool Millimetres = After < Tokens.size() && Tokens[After] == "mm";
        const double Scale = Millimetres ? 1.0 : 25.4;
        return TNamedSize{Width * Scale, Length * Scale};
    }
    return std::nullopt;
}

} // namespace

// Every paper that names its size in its display name carries that size, within the drivers'
// rounding of inch sizes to millimetres (at most 0.065 mm, the 3 5/8 in personal envelope).
TEST(PaperSize, DimensionsAgreeWithDisplayNames) {
    int Checked = 0;
    for (std::size_t I = 0; I < PaperSizeCount; ++I) {
        const auto Named = DimensionsInName(PaperSizeNames[I]);
        if (!Named)
            continue;
        ++Checked;
        EXPECT_NEAR(static_cast<double>(PaperDimensions[I].Width), Named->Width, 0.07)
            << PaperSizeNames[I];
        EXPECT_NEAR(static_cast<double>(PaperDimensions[I].Length), Named->Length, 0.07)
            << PaperSizeNames[I];
    }
    // All but Default, Custom and the two reserved entries state a size.
    EXPECT_EQ(Checked, 66);
}

TEST(PaperSize, NamesAndCodes) {
    struct TCase {
        TPaperSize Paper;
        std::string_view Name;
        std::string_view Ident;
        int Code;
    };
    // From the drivers' paper list (DMPAPER_*).
    const TCase Cases[] = {
        {TPaperSize::Default, "Default size", "Default", 0},
        {TPaperSize::Letter, "Letter 8 1/2 x 11 in", "Letter", 1},
        {TPaperSize::A4, "A4 210 x 297 mm", "A4", 9},
        {TPaperSize::qr10X14, "10 x 14 in", "qr10X14", 16},
        {TPaperSize::Reserved2, "RESERVED--DO NOT USE", "Reserved2", 49},
        {TPaperSize::A3ExtraTrans, "A3 Extra Transverse 445 z 322 mm", "A3ExtraTrans", 68},
        {TPaperSize::Custom, "Custom Size", "Custom", 256},
    };
    for (const TCase& C : Cases) {
        EXPECT_EQ(PaperSizeName(C.Paper), C.Name);
        EXPECT_EQ(PaperSizeIdents[static_cast<std::size_t>(C.Paper)], C.Ident);
        EXPECT_EQ(PaperCodes[static_cast<std::size_t>(C.Paper)], C.Code);
        EXPECT_EQ(PaperSizeFromCode(C.Code), C.Paper);
    }
    EXPECT_EQ(PaperSizeName(static_cast<TPaperSize>(70)), "");
}

// A code the table lacks is the printer's default paper.
TEST(PaperSize, UnknownCodesAreDefault) {
    for (const int Code : {-1, 69, 70, 255, 257, 32767})
        EXPECT_EQ(PaperSizeFromCode(Code), TPaperSize::Default) << Code;
}
