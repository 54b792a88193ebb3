#pragma once

#include "barcode/TBarcodeEngine.h"

#include <string>
#include <string_view>

struct TEncoded {
    std::string Pattern;
    std::string Text; // Text as the encoder left it
};

// Runs one encoder on a fresh engine, as EncodePattern would after its own checks.
inline TEncoded EncodeWith(TEncoder Encoder, TBarcodeType Typ, std::string Text,
                           bool Checksum = false, TCheckSumMethod Method = csmModulo10) {
    TBarcodeEngine E;
    E.SetTyp(Typ);
    E.SetText(std::move(Text));
    E.SetChecksum(Checksum);
    E.SetCheckSumMethod(Method);
    std::string Pattern = Encoder(E);
    return {std::move(Pattern), E.Text()};
}

// Width in modules at Modul 1 and Ratio 2.0, where the four widths are 1, 2, 3 and 4.
inline int Units(std::string_view Pattern) {
    int Sum = 0;
    for (const char Ch : Pattern)
        Sum += Ch >= 'A' ? Ch - 'A' + 1 : Ch >= '5' ? Ch - '5' + 1 : Ch - '0' + 1;
    return Sum;
}
