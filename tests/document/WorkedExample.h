#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The document file of a new metric A4 page at 96 pixels per inch with one barcode item inserted
// by the Insert barcode command (left 50, top 50, 100 x 50 pixels, EAN-13): 1424 bytes, record by
// record as the document format lists them.
struct TExampleRecord {
    std::string_view Path;
    std::string_view Hex;
};

inline const std::vector<TExampleRecord> ExamplePageRecords = {
    {"Left", "02 00"},
    {"Top", "02 00"},
    {"Width", "03 1A 03"},
    {"Height", "03 63 04"},
    {"Frame.Color", "07 07 63 6C 42 6C 61 63 6B"},
    {"Frame.DrawTop", "08"},
    {"Frame.DrawBottom", "08"},
    {"Frame.DrawLeft", "08"},
    {"Frame.DrawRight", "08"},
    {"Font.Charset", "07 0F 44 45 46 41 55 4C 54 5F 43 48 41 52 53 45 54"},
    {"Font.Color", "07 0C 63 6C 57 69 6E 64 6F 77 54 65 78 74"},
    {"Font.Height", "02 F3"},
    {"Font.Name", "06 05 41 72 69 61 6C"},
    {"Font.Style", "0B 00"},
    {"Functions.Strings", "01 06 0A 50 41 47 45 4E 55 4D 42 45 52 06 0C 43 4F 4C 55 4D 4E 4E 55 "
                          "4D 42 45 52 06 0B 52 45 50 4F 52 54 54 49 54 4C 45 00"},
    {"Functions.DATA", "01 06 01 30 06 01 30 06 02 27 27 00"},
    {"Options", "0B 0F 46 69 72 73 74 50 61 67 65 48 65 61 64 65 72 0E 4C 61 73 74 50 61 67 65 "
                "46 6F 6F 74 65 72 00"},
    {"Page.Columns", "02 01"},
    {"Page.Orientation", "07 0A 70 6F 50 6F 72 74 72 61 69 74"},
    {"Page.PaperSize", "07 02 41 34"},
    {"Page.Values", "01 05 00 00 00 00 00 00 00 C8 05 40 05 00 00 00 00 00 00 A0 B9 0A 40 05 00 "
                    "00 00 00 00 00 00 C8 05 40 05 00 00 00 00 00 00 40 83 0A 40 05 00 00 00 00 "
                    "00 00 00 C8 05 40 05 00 00 00 00 00 00 00 C8 05 40 05 00 00 00 00 00 00 00 "
                    "00 00 00 00"},
    {"PrinterSettings.Copies", "02 01"},
    {"PrinterSettings.OutputBin", "07 04 41 75 74 6F"},
    {"PrinterSettings.Duplex", "08"},
    {"PrinterSettings.FirstPage", "02 00"},
    {"PrinterSettings.LastPage", "02 00"},
    {"PrinterSettings.UseStandardprinter", "08"},
    {"PrinterSettings.UseCustomBinCode", "08"},
    {"PrinterSettings.CustomBinCode", "02 00"},
    {"PrinterSettings.ExtendedDuplex", "02 00"},
    {"PrinterSettings.UseCustomPaperCode", "08"},
    {"PrinterSettings.CustomPaperCode", "02 00"},
    {"PrinterSettings.PrintMetaFile", "08"},
    {"PrinterSettings.PrintQuality", "02 00"},
    {"PrinterSettings.Collate", "02 00"},
    {"PrinterSettings.ColorOption", "02 00"},
    {"PrintIfEmpty", "09"},
    {"SnapToGrid", "09"},
    {"Units", "07 02 4D 4D"},
    {"Zoom", "02 64"},
    {"PrevFormStyle", "07 08 66 73 4E 6F 72 6D 61 6C"},
    {"PreviewInitialState", "07 08 77 73 4E 6F 72 6D 61 6C"},
    {"PrevInitialZoom", "07 0B 71 72 5A 6F 6F 6D 54 6F 46 69 74"},
};

inline const std::vector<TExampleRecord> ExampleItemRecords = {
    {"Left", "02 32"},
    {"Top", "02 32"},
    {"Width", "02 64"},
    {"Height", "02 32"},
    {"Frame.Color", "07 07 63 6C 42 6C 61 63 6B"},
    {"Frame.DrawTop", "08"},
    {"Frame.DrawBottom", "08"},
    {"Frame.DrawLeft", "08"},
    {"Frame.DrawRight", "08"},
    {"Size.Values", "01 05 AA AA AA AA AA AA 4A 84 06 40 05 AA AA AA AA AA AA 4A 84 06 40 05 AA "
                    "AA AA AA AA AA 4A 84 06 40 05 AA AA AA AA AA AA 4A 84 07 40 00"},
    {"Angle", "07 03 62 61 30"},
    {"BarcodeType", "07 0B 62 63 43 6F 64 65 45 41 4E 31 33"},
    {"Checksum", "09"},
    {"CheckSumMethod", "07 0B 63 73 6D 4D 6F 64 75 6C 6F 31 30"},
    {"Color", "07 07 63 6C 57 68 69 74 65"},
    {"ColorBar", "07 07 63 6C 42 6C 61 63 6B"},
    {"Modul", "02 01"},
    {"Ratio", "05 00 00 00 00 00 00 00 80 00 40"},
};

inline std::string FromHex(std::string_view Hex) {
    std::string Bytes;
    for (std::size_t I = 0; I + 1 < Hex.size() + 1; ++I) {
        if (Hex[I] == ' ')
            continue;
        Bytes.push_back(static_cast<char>(std::stoi(std::string(Hex.substr(I, 2)), nullptr, 16)));
        ++I;
    }
    return Bytes;
}

// A record list as bytes: each path as a short string followed by its value.
inline std::string RecordBytes(const std::vector<TExampleRecord>& Records) {
    std::string Bytes;
    for (const TExampleRecord& Record : Records) {
        Bytes.push_back(static_cast<char>(Record.Path.size()));
        Bytes += Record.Path;
        Bytes += FromHex(Record.Hex);
    }
    return Bytes;
}

// A whole stream: signature, the page record with these records, and one child record per item.
inline std::string ExampleStream(const std::vector<TExampleRecord>& PageRecords,
                                 const std::vector<std::vector<TExampleRecord>>& Items) {
    std::string Bytes = "TPF0";
    Bytes += FromHex("09 54 51 75 69 63 6B 52 65 70 00");
    Bytes += RecordBytes(PageRecords);
    Bytes.push_back('\0');
    for (const auto& Item : Items) {
        Bytes += FromHex("0C 54 51 52 65 70 42 61 72 63 6F 64 65 00");
        Bytes += RecordBytes(Item);
        Bytes += std::string(2, '\0');
    }
    Bytes.push_back('\0');
    return Bytes;
}
