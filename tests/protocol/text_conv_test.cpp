#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "text_conv.h"

TEST(TextToInt, ExamplesAndFailureValues) {
    const struct {
        std::string text;
        std::int32_t value;
    } cases[] = {
        {"", 0},
        {"1", 1},
        {"19200", 19200},
        {" 7", 7},
        {"7 ", 7},
        {"12a", 12},
        {"-12a", 12},
        {"abc", 0},
        {"$10", 16},
        {"0x1F", 31},
        {"0X1f", 31},
        {"x1F", 31},
        {"X10", 16},
        {"-$10", -16},
        {"+42", 42},
        {"-5", -5},
        {"$FFFFFFFF", -1},
        {"$100000000", 0x10000000},
        {"$", 0},
        {"0x", 0},
        {"$1G", 1},
        {"2147483647", 2147483647},
        {"2147483648", INT32_MIN},
        {"2147483650", 214748365},
        {"-2147483648", INT32_MIN},
        {"-2147483649", 2147483647},
        {"99999999999", 999999999},
        {"- 5", 0},
        {"--5", 0},
        {"+-5", 0},
        {"\t5", 0},
        {"   ", 0},
        {"-", 0},
        {"0", 0},
        {"007", 7},
        {"１２", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TextToInt(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(TextToInt, AnyDecimalInRangeReadsBack) {
    for (std::int64_t v = INT32_MIN; v <= INT32_MAX; v += 65537 * 13) {
        const auto value = static_cast<std::int32_t>(v);
        ASSERT_EQ(TextToInt(std::to_string(value)), value);
    }
    EXPECT_EQ(TextToInt(std::to_string(INT32_MAX)), INT32_MAX);
}

TEST(IntToText, SignNoLeadingZerosNoBlanks) {
    EXPECT_EQ(IntToText(-5), "-5");
    EXPECT_EQ(IntToText(0), "0");
    EXPECT_EQ(IntToText(1111), "1111");
    EXPECT_EQ(IntToText(INT32_MIN), "-2147483648");
    EXPECT_EQ(IntToText(INT32_MAX), "2147483647");
}

TEST(LeftText, CutsToCharacters) {
    const struct {
        std::string text;
        int n;
        std::string left;
    } cases[] = {
        {"12345678", 7, "1234567"},
        {"0", 7, "0"},
        {"1234567", 7, "1234567"},
        {"abc", 0, ""},
        {"abc", -3, ""},
        {"", 7, ""},
        {"打开串口错误", 2, "打开"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeftText(c.text, c.n), c.left) << '"' << c.text << "\" " << c.n;
    }
}
