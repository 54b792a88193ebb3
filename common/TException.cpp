#include "common/TException.h"

std::string Format(std::string_view Text, std::initializer_list<std::string_view> Args) {
    std::string Result;
    Result.reserve(Text.size() + 32);
    auto Next = Args.begin();
    for (std::size_t I = 0; I < Text.size(); ++I) {
        if (Text[I] == '%' && I + 1 < Text.size()) {
            const char Spec = Text[I + 1];
            if (Spec == '%') {
                Result += '%';
                ++I;
                continue;
            }
            if ((Spec == 's' || Spec == 'd') && Next != Args.end()) {
                Result += *Next++;
                ++I;
                continue;
            }
        }
        Result += Text[I];
    }
    return Result;
}

void Raise(std::string_view Text, std::initializer_list<std::string_view> Args) {
    throw TException(Format(Text, Args));
}
