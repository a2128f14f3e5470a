// Small helpers of the native tests: settings text in UTF-16, and names of
// parameterised cases made from their descriptions.
#ifndef TQ_TESTS_TEST_TEXT_H
#define TQ_TESTS_TEST_TEXT_H

#include <gtest/gtest.h>

#include <cctype>
#include <string>

// text with a byte-order mark, in UTF-16 of either byte order.
inline std::string Utf16(const std::u16string& text, bool big)
{
    std::string bytes = big ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        char low = char(unit & 0xFF);
        char high = char(unit >> 8);
        bytes += big ? high : low;
        bytes += big ? low : high;
    }
    return bytes;
}

// The name of a case whose parameter has a Name: its letters and digits.
struct CaseName {
    template <class Case> std::string operator()(const ::testing::TestParamInfo<Case>& info) const
    {
        std::string name;
        for (const char* c = info.param.Name; *c; ++c)
            name += std::isalnum((unsigned char)*c) ? *c : '_';
        return name;
    }
};

#endif
