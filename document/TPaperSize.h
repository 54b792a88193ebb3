#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// The paper types of a page, in the order the document file and the page panel rely on.
enum class TPaperSize : std::uint8_t {
    Default,
    Letter,
    LetterSmall,
    Tabloid,
    Ledger,
    Legal,
    Statement,
    Executive,
    A3,
    A4,
    A4Small,
    A5,
    B4,
    B5,
    Folio,
    Quarto,
    qr10X14,
    qr11X17,
    Note,
    Env9,
    Env10,
    Env11,
    Env12,
    Env14,
    CSheet,
    DSheet,
    ESheet,
    EnvDL,
    EnvC5,
    EnvC3,
    EnvC4,
    EnvC6,
    EnvC65,
    EnvB4,
    EnvB5,
    EnvB6,
    EnvItaly,
    EnvMonarch,
    EnvPersonal,
    FanfoldUSStd,
    FanfoldGerStd,
    FanfoldGerLegal,
    B4ISO,
    PostcardJap,
    qr9X11,
    qr10X11,
    qr15X11,
    EnvInvite,
    Reserved1,
    Reserved2,
    LetterExtra,
    LegalExtra,
    TabloidExtra,
    A4Extra,
    LetterTrans,
    A4Trans,
    LetterExtraTrans,
    SuperASuperAA4,
    SuperBSuperBA3,
    LetterPlus,
    A4Plus,
    A5Trans,
    B5Trans,
    A3Extra,
    A5Extra,
    B5Extra,
    A2,
    A3Trans,
    A3ExtraTrans,
    Custom,
};
inline constexpr std::size_t PaperSizeCount = 70;

struct TPaperDimension {
    long double Width;  // millimetres
    long double Length; // millimetres
};

// Paper dimensions in millimetres, from the printer drivers' paper table (DMPAPER_*); Default and
// Custom carry none.
inline constexpr std::array<TPaperDimension, PaperSizeCount> PaperDimensions = {{
    {0.0L, 0.0L},      // Default
    {215.9L, 279.4L},  // Letter
    {215.9L, 279.4L},  // LetterSmall
    {279.4L, 431.8L},  // Tabloid
    {431.8L, 279.4L},  // Ledger
    {215.9L, 355.6L},  // Legal
    {139.7L, 215.9L},  // Statement
    {190.5L, 254.0L},  // Executive
    {297.0L, 420.0L},  // A3
    {210.0L, 297.0L},  // A4
    {210.0L, 297.0L},  // A4Small
    {148.0L, 210.0L},  // A5
    {250.0L, 354.0L},  // B4
    {182.0L, 257.0L},  // B5
    {215.9L, 330.2L},  // Folio
    {215.0L, 275.0L},  // Quarto
    {254.0L, 355.6L},  // qr10X14
    {279.4L, 431.8L},  // qr11X17
    {215.9L, 279.4L},  // Note
    {98.43L, 225.4L},  // Env9
    {104.8L, 241.3L},  // Env10
    {114.3L, 263.5L},  // Env11
    {120.7L, 279.4L},  // Env12
    {127.0L, 292.1L},  // Env14
    {431.8L, 558.8L},  // CSheet
    {558.8L, 863.6L},  // DSheet
    {863.6L, 1117.6L}, // ESheet
    {110.0L, 220.0L},  // EnvDL
    {162.0L, 229.0L},  // EnvC5
    {324.0L, 458.0L},  // EnvC3
    {229.0L, 324.0L},  // EnvC4
    {114.0L, 162.0L},  // EnvC6
    {114.0L, 229.0L},  // EnvC65
    {250.0L, 353.0L},  // EnvB4
    {176.0L, 250.0L},  // EnvB5
    {176.0L, 125.0L},  // EnvB6
    {110.0L, 230.0L},  // EnvItaly
    {98.43L, 190.5L},  // EnvMonarch
    {92.01L, 165.1L},  // EnvPersonal
    {377.8L, 279.4L},  // FanfoldUSStd
    {215.9L, 304.8L},  // FanfoldGerStd
    {215.9L, 330.2L},  // FanfoldGerLegal
    {250.0L, 353.0L},  // B4ISO
    {100.0L, 148.0L},  // PostcardJap
    {228.6L, 279.4L},  // qr9X11
    {254.0L, 279.4L},  // qr10X11
    {381.0L, 279.4L},  // qr15X11
    {220.0L, 220.0L},  // EnvInvite
    {100.0L, 100.0L},  // Reserved1
    {100.0L, 100.0L},  // Reserved2
    {241.3L, 304.8L},  // LetterExtra
    {241.3L, 381.0L},  // LegalExtra
    {296.9L, 457.2L},  // TabloidExtra
    {236.0L, 322.0L},  // A4Extra
    {279.4L, 215.9L},  // LetterTrans
    {297.0L, 210.0L},  // A4Trans
    {304.8L, 241.3L},  // LetterExtraTrans
    {227.0L, 356.0L},  // SuperASuperAA4
    {305.0L, 487.0L},  // SuperBSuperBA3
    {215.9L, 322.3L},  // LetterPlus
    {210.0L, 330.0L},  // A4Plus
    {210.0L, 148.0L},  // A5Trans
    {257.0L, 182.0L},  // B5Trans
    {322.0L, 445.0L},  // A3Extra
    {174.0L, 235.0L},  // A5Extra
    {201.0L, 276.0L},  // B5Extra
    {420.0L, 594.0L},  // A2
    {420.0L, 297.0L},  // A3Trans
    {445.0L, 322.0L},  // A3ExtraTrans
    {0.0L, 0.0L},      // Custom
}};

// Printer-driver paper codes (DMPAPER_*): the ordinal for Default to A3ExtraTrans, 256 for Custom.
inline constexpr std::array<std::int16_t, PaperSizeCount> PaperCodes = [] {
    std::array<std::int16_t, PaperSizeCount> Codes{};
    for (std::size_t I = 0; I < PaperSizeCount; ++I)
        Codes[I] = static_cast<std::int16_t>(I);
    Codes[static_cast<std::size_t>(TPaperSize::Custom)] = 256;
    return Codes;
}();

// Display names, as the page panel lists them.
inline constexpr std::array<std::string_view, PaperSizeCount> PaperSizeNames = {{
    "Default size",
    "Letter 8 1/2 x 11 in",
    "Letter Small 8 1/2 x 11 in",
    "Tabloid 11 x 17 in",
    "Ledger 17 x 11 in",
    "Legal 8 1/2 x 14 in",
    "Statement 5 1/2 x 8 1/2 in",
    "Executive 7 1/2 x 10 in",
    "A3 297 x 420 mm",
    "A4 210 x 297 mm",
    "A4 Small 210 x 297 mm",
    "A5 148 x 210 mm",
    "B4 250 x 354 mm",
    "B5 182 x 257 mm",
    "Folio 8 1/2 x 13 in",
    "Quarto 215 x 275 mm",
    "10 x 14 in",
    "11 x 17 in",
    "Note 8 1/2 x 11 in",
    "Envelope #9 3 7/8 x 8 7/8",
    "Envelope #10 4 1/8 x 9 1/2",
    "Envelope #11 4 1/2 x 10 3/8",
    "Envelope #12 4 3/4 x 11",
    "Envelope #14 5 x 11 1/2",
    "C sheet 17 x 22 in",
    "D sheet 22 x 34 in",
    "E sheet 34 x 44 in",
    "Envelope DL 110 x 220 mm",
    "Envelope C5 162 x 229 mm",
    "Envelope C3 324 x 458 mm",
    "Envelope C4 229 x 324 mm",
    "Envelope C6 114 x 162 mm",
    "Envelope C65 114 x 229 mm",
    "Envelope B4 (JIS) 250 x 353 mm",
    "Envelope B5 (JIS) 176 x 250 mm",
    "Envelope B6 176 x 125 mm",
    "Envelope 110 x 230 mm",
    "Envelope Monarch 3.875 x 7.5 in",
    "6 3/4 Envelope 3 5/8 x 6 1/2 in",
    "US Std Fanfold 14 7/8 x 11 in",
    "German Std Fanfold 8 1/2 x 12 in",
    "German Legal Fanfold 8 1/2 x 13 in",
    "B4 (ISO) 250 x 353 mm",
    "Japanese Postcard 100 x 148 mm",
    "9 x 11 in",
    "10 x 11 in",
    "15 x 11 in",
    "Envelope Invite 220 x 220 mm",
    "RESERVED--DO NOT USE",
    "RESERVED--DO NOT USE",
    "Letter Extra 9 1/2 x 12 in",
    "Legal Extra 9 1/2 x 15 in",
    "Tabloid Extra 11.69 x 18 in",
    "A4 Extra 236 x 322 mm",
    "Letter Transverse 11 x 8 1/2 in",
    "A4 Transverse 297 z 210 mm",
    "Letter Extra Transverse 12 x 9 1/2 in",
    "SuperASuperAA4 227 x 356 mm",
    "SuperBSuperBA3 305 x 487 mm",
    "Letter Plus 8.5 x 12.69 in",
    "A4 Plus 210 x 330 mm",
    "A5 Transverse 210 x 148 mm",
    "B5 (JIS) Transverse 257 x 182 mm",
    "A3 Extra 322 x 445 mm",
    "A5 Extra 174 x 235 mm",
    "B5 (ISO) Extra 201 x 276 mm",
    "A2 420 x 594 mm",
    "A3 Transverse 420 z 297 mm",
    "A3 Extra Transverse 445 z 322 mm",
    "Custom Size",
}};

// The values' own names, as the document file stores them.
inline constexpr std::array<std::string_view, PaperSizeCount> PaperSizeIdents = {{
    "Default",
    "Letter",
    "LetterSmall",
    "Tabloid",
    "Ledger",
    "Legal",
    "Statement",
    "Executive",
    "A3",
    "A4",
    "A4Small",
    "A5",
    "B4",
    "B5",
    "Folio",
    "Quarto",
    "qr10X14",
    "qr11X17",
    "Note",
    "Env9",
    "Env10",
    "Env11",
    "Env12",
    "Env14",
    "CSheet",
    "DSheet",
    "ESheet",
    "EnvDL",
    "EnvC5",
    "EnvC3",
    "EnvC4",
    "EnvC6",
    "EnvC65",
    "EnvB4",
    "EnvB5",
    "EnvB6",
    "EnvItaly",
    "EnvMonarch",
    "EnvPersonal",
    "FanfoldUSStd",
    "FanfoldGerStd",
    "FanfoldGerLegal",
    "B4ISO",
    "PostcardJap",
    "qr9X11",
    "qr10X11",
    "qr15X11",
    "EnvInvite",
    "Reserved1",
    "Reserved2",
    "LetterExtra",
    "LegalExtra",
    "TabloidExtra",
    "A4Extra",
    "LetterTrans",
    "A4Trans",
    "LetterExtraTrans",
    "SuperASuperAA4",
    "SuperBSuperBA3",
    "LetterPlus",
    "A4Plus",
    "A5Trans",
    "B5Trans",
    "A3Extra",
    "A5Extra",
    "B5Extra",
    "A2",
    "A3Trans",
    "A3ExtraTrans",
    "Custom",
}};

static_assert(static_cast<std::size_t>(TPaperSize::Custom) + 1 == PaperSizeCount);
static_assert(PaperCodes[68] == 68 && PaperCodes[69] == 256);
static_assert(PaperDimensions[static_cast<std::size_t>(TPaperSize::A4)].Width == 210.0L);

// The display name of a paper type; an out-of-range value has none.
std::string_view PaperSizeName(TPaperSize Value);

// Whether the paper type carries its own dimensions (every one but Default and Custom).
constexpr bool IsNamedPaperSize(TPaperSize Value) {
    return Value != TPaperSize::Default && Value != TPaperSize::Custom;
}

// The paper type of a printer-driver paper code: the first match in PaperCodes, else Default.
TPaperSize PaperSizeFromCode(int Code);
