#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

// A pattern drawn at Modul 1 and Ratio 2.0 as its modules: '1' dark, '0' light; short bars
// count as dark.
inline std::string PatternModules(std::string_view Pattern) {
    std::string Result;
    for (const char Ch : Pattern) {
        if (Ch >= '0' && Ch <= '3')
            Result.append(static_cast<std::size_t>(Ch - '0' + 1), '0');
        else if (Ch >= '5' && Ch <= '8')
            Result.append(static_cast<std::size_t>(Ch - '5' + 1), '1');
        else if (Ch >= 'A' && Ch <= 'D')
            Result.append(static_cast<std::size_t>(Ch - 'A' + 1), '1');
        else
            ADD_FAILURE() << "unexpected pattern character " << Ch;
    }
    return Result;
}
