#pragma once

#include "common/Tables.h"

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

struct TPaperRow {
    TPaperSize Paper;
    TPaperDimension Dimensions; // none for Default and Custom
    std::int16_t Code;          // the ordinal, but 256 for Custom
    std::string_view Name;      // as the page panel lists it
    std::string_view Ident;     // the value's own name, as the document file stores it
};

// The printer drivers' paper table (DMPAPER_* of wingdi.h), indexed by TPaperSize.
inline constexpr std::array<TPaperRow, PaperSizeCount> PaperTable = {{
    {TPaperSize::Default, {0.0L, 0.0L}, 0, "Default size", "Default"},
    {TPaperSize::Letter, {215.9L, 279.4L}, 1, "Letter 8 1/2 x 11 in", "Letter"},
    {TPaperSize::LetterSmall, {215.9L, 279.4L}, 2, "Letter Small 8 1/2 x 11 in", "LetterSmall"},
    {TPaperSize::Tabloid, {279.4L, 431.8L}, 3, "Tabloid 11 x 17 in", "Tabloid"},
    {TPaperSize::Ledger, {431.8L, 279.4L}, 4, "Ledger 17 x 11 in", "Ledger"},
    {TPaperSize::Legal, {215.9L, 355.6L}, 5, "Legal 8 1/2 x 14 in", "Legal"},
    {TPaperSize::Statement, {139.7L, 215.9L}, 6, "Statement 5 1/2 x 8 1/2 in", "Statement"},
    {TPaperSize::Executive, {190.5L, 254.0L}, 7, "Executive 7 1/2 x 10 in", "Executive"},
    {TPaperSize::A3, {297.0L, 420.0L}, 8, "A3 297 x 420 mm", "A3"},
    {TPaperSize::A4, {210.0L, 297.0L}, 9, "A4 210 x 297 mm", "A4"},
    {TPaperSize::A4Small, {210.0L, 297.0L}, 10, "A4 Small 210 x 297 mm", "A4Small"},
    {TPaperSize::A5, {148.0L, 210.0L}, 11, "A5 148 x 210 mm", "A5"},
    {TPaperSize::B4, {250.0L, 354.0L}, 12, "B4 250 x 354 mm", "B4"},
    {TPaperSize::B5, {182.0L, 257.0L}, 13, "B5 182 x 257 mm", "B5"},
    {TPaperSize::Folio, {215.9L, 330.2L}, 14, "Folio 8 1/2 x 13 in", "Folio"},
    {TPaperSize::Quarto, {215.0L, 275.0L}, 15, "Quarto 215 x 275 mm", "Quarto"},
    {TPaperSize::qr10X14, {254.0L, 355.6L}, 16, "10 x 14 in", "qr10X14"},
    {TPaperSize::qr11X17, {279.4L, 431.8L}, 17, "11 x 17 in", "qr11X17"},
    {TPaperSize::Note, {215.9L, 279.4L}, 18, "Note 8 1/2 x 11 in", "Note"},
    {TPaperSize::Env9, {98.43L, 225.4L}, 19, "Envelope #9 3 7/8 x 8 7/8", "Env9"},
    {TPaperSize::Env10, {104.8L, 241.3L}, 20, "Envelope #10 4 1/8 x 9 1/2", "Env10"},
    {TPaperSize::Env11, {114.3L, 263.5L}, 21, "Envelope #11 4 1/2 x 10 3/8", "Env11"},
    {TPaperSize::Env12, {120.7L, 279.4L}, 22, "Envelope #12 4 3/4 x 11", "Env12"},
    {TPaperSize::Env14, {127.0L, 292.1L}, 23, "Envelope #14 5 x 11 1/2", "Env14"},
    {TPaperSize::CSheet, {431.8L, 558.8L}, 24, "C sheet 17 x 22 in", "CSheet"},
    {TPaperSize::DSheet, {558.8L, 863.6L}, 25, "D sheet 22 x 34 in", "DSheet"},
    {TPaperSize::ESheet, {863.6L, 1117.6L}, 26, "E sheet 34 x 44 in", "ESheet"},
    {TPaperSize::EnvDL, {110.0L, 220.0L}, 27, "Envelope DL 110 x 220 mm", "EnvDL"},
    {TPaperSize::EnvC5, {162.0L, 229.0L}, 28, "Envelope C5 162 x 229 mm", "EnvC5"},
    {TPaperSize::EnvC3, {324.0L, 458.0L}, 29, "Envelope C3 324 x 458 mm", "EnvC3"},
    {TPaperSize::EnvC4, {229.0L, 324.0L}, 30, "Envelope C4 229 x 324 mm", "EnvC4"},
    {TPaperSize::EnvC6, {114.0L, 162.0L}, 31, "Envelope C6 114 x 162 mm", "EnvC6"},
    {TPaperSize::EnvC65, {114.0L, 229.0L}, 32, "Envelope C65 114 x 229 mm", "EnvC65"},
    {TPaperSize::EnvB4, {250.0L, 353.0L}, 33, "Envelope B4 (JIS) 250 x 353 mm", "EnvB4"},
    {TPaperSize::EnvB5, {176.0L, 250.0L}, 34, "Envelope B5 (JIS) 176 x 250 mm", "EnvB5"},
    {TPaperSize::EnvB6, {176.0L, 125.0L}, 35, "Envelope B6 176 x 125 mm", "EnvB6"},
    {TPaperSize::EnvItaly, {110.0L, 230.0L}, 36, "Envelope 110 x 230 mm", "EnvItaly"},
    {TPaperSize::EnvMonarch, {98.43L, 190.5L}, 37, "Envelope Monarch 3.875 x 7.5 in", "EnvMonarch"},
    {TPaperSize::EnvPersonal,
     {92.01L, 165.1L},
     38,
     "6 3/4 Envelope 3 5/8 x 6 1/2 in",
     "EnvPersonal"},
    {TPaperSize::FanfoldUSStd,
     {377.8L, 279.4L},
     39,
     "US Std Fanfold 14 7/8 x 11 in",
     "FanfoldUSStd"},
    {TPaperSize::FanfoldGerStd,
     {215.9L, 304.8L},
     40,
     "German Std Fanfold 8 1/2 x 12 in",
     "FanfoldGerStd"},
    {TPaperSize::FanfoldGerLegal,
     {215.9L, 330.2L},
     41,
     "German Legal Fanfold 8 1/2 x 13 in",
     "FanfoldGerLegal"},
    {TPaperSize::B4ISO, {250.0L, 353.0L}, 42, "B4 (ISO) 250 x 353 mm", "B4ISO"},
    {TPaperSize::PostcardJap,
     {100.0L, 148.0L},
     43,
     "Japanese Postcard 100 x 148 mm",
     "PostcardJap"},
    {TPaperSize::qr9X11, {228.6L, 279.4L}, 44, "9 x 11 in", "qr9X11"},
    {TPaperSize::qr10X11, {254.0L, 279.4L}, 45, "10 x 11 in", "qr10X11"},
    {TPaperSize::qr15X11, {381.0L, 279.4L}, 46, "15 x 11 in", "qr15X11"},
    {TPaperSize::EnvInvite, {220.0L, 220.0L}, 47, "Envelope Invite 220 x 220 mm", "EnvInvite"},
    {TPaperSize::Reserved1, {100.0L, 100.0L}, 48, "RESERVED--DO NOT USE", "Reserved1"},
    {TPaperSize::Reserved2, {100.0L, 100.0L}, 49, "RESERVED--DO NOT USE", "Reserved2"},
    {TPaperSize::LetterExtra, {241.3L, 304.8L}, 50, "Letter Extra 9 1/2 x 12 in", "LetterExtra"},
    {TPaperSize::LegalExtra, {241.3L, 381.0L}, 51, "Legal Extra 9 1/2 x 15 in", "LegalExtra"},
    {TPaperSize::TabloidExtra, {296.9L, 457.2L}, 52, "Tabloid Extra 11.69 x 18 in", "TabloidExtra"},
    {TPaperSize::A4Extra, {236.0L, 322.0L}, 53, "A4 Extra 236 x 322 mm", "A4Extra"},
    {TPaperSize::LetterTrans,
     {279.4L, 215.9L},
     54,
     "Letter Transverse 11 x 8 1/2 in",
     "LetterTrans"},
    {TPaperSize::A4Trans, {297.0L, 210.0L}, 55, "A4 Transverse 297 z 210 mm", "A4Trans"},
    {TPaperSize::LetterExtraTrans,
     {304.8L, 241.3L},
     56,
     "Letter Extra Transverse 12 x 9 1/2 in",
     "LetterExtraTrans"},
    {TPaperSize::SuperASuperAA4,
     {227.0L, 356.0L},
     57,
     "SuperASuperAA4 227 x 356 mm",
     "SuperASuperAA4"},
    {TPaperSize::SuperBSuperBA3,
     {305.0L, 487.0L},
     58,
     "SuperBSuperBA3 305 x 487 mm",
     "SuperBSuperBA3"},
    {TPaperSize::LetterPlus, {215.9L, 322.3L}, 59, "Letter Plus 8.5 x 12.69 in", "LetterPlus"},
    {TPaperSize::A4Plus, {210.0L, 330.0L}, 60, "A4 Plus 210 x 330 mm", "A4Plus"},
    {TPaperSize::A5Trans, {210.0L, 148.0L}, 61, "A5 Transverse 210 x 148 mm", "A5Trans"},
    {TPaperSize::B5Trans, {257.0L, 182.0L}, 62, "B5 (JIS) Transverse 257 x 182 mm", "B5Trans"},
    {TPaperSize::A3Extra, {322.0L, 445.0L}, 63, "A3 Extra 322 x 445 mm", "A3Extra"},
    {TPaperSize::A5Extra, {174.0L, 235.0L}, 64, "A5 Extra 174 x 235 mm", "A5Extra"},
    {TPaperSize::B5Extra, {201.0L, 276.0L}, 65, "B5 (ISO) Extra 201 x 276 mm", "B5Extra"},
    {TPaperSize::A2, {420.0L, 594.0L}, 66, "A2 420 x 594 mm", "A2"},
    {TPaperSize::A3Trans, {420.0L, 297.0L}, 67, "A3 Transverse 420 z 297 mm", "A3Trans"},
    {TPaperSize::A3ExtraTrans,
     {445.0L, 322.0L},
     68,
     "A3 Extra Transverse 445 z 322 mm",
     "A3ExtraTrans"},
    {TPaperSize::Custom, {0.0L, 0.0L}, 256, "Custom Size", "Custom"},
}};
static_assert(RowsAtTheirValues(PaperTable, &TPaperRow::Paper));

// Single columns of PaperTable, indexed by TPaperSize.
inline constexpr auto PaperDimensions = TableColumn(PaperTable, &TPaperRow::Dimensions);
inline constexpr auto PaperCodes = TableColumn(PaperTable, &TPaperRow::Code);
inline constexpr auto PaperSizeNames = TableColumn(PaperTable, &TPaperRow::Name);
inline constexpr auto PaperSizeIdents = TableColumn(PaperTable, &TPaperRow::Ident);

static_assert(static_cast<std::size_t>(TPaperSize::Custom) + 1 == PaperSizeCount);
static_assert(PaperCodes[68] == 68 && PaperCodes[69] == 256);
static_assert(PaperDimensions[static_cast<std::size_t>(TPaperSize::A4)].Width == 210.0L);

// The display name of a paper type; an out-of-range value has none.
std::string_view PaperSizeName(TPaperSize Value);

// Whether the paper type carries its own dimensions (every one but Default and Custom).
constexpr bool IsNamedPaperSize(TPaperSize Value) {
    return Value != TPaperSize::Default && Value != TPaperSize::Custom;
}

// The paper type of a printer-driver paper code: the first match in PaperTable, else Default.
TPaperSize PaperSizeFromCode(int Code);

// The first named paper type of Width by Length millimetres (to half a millimetre, as drivers
// round their sizes to points), else Default.
TPaperSize PaperSizeOfDimensions(long double Width, long double Length);
