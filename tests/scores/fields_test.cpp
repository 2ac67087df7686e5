#include <gtest/gtest.h>

#include "scores/fields.h"

namespace glimmet {
namespace {

struct FieldCase {
    std::string text, separator;
    int index;
    std::string expected;
};

TEST(Field, CutsTextAtSeparator) {
    const FieldCase cases[] = {
        {"a|b|c", "|", 2, "b"},
        {"a|b|c", "|", 3, "c"},
        {"a|b|c", "|", 4, "-+-"},
        {"a||c", "|", 2, ""},
        {" a|b ", "|", 1, "a"},
        {"|a", "|", 1, ""},
        {"abc", "|", 1, "abc"},
        {"abc", "|", 2, "abc"},
        {"abc", "|", 3, "-+-"},
        {"", "|", 1, ""},
        {"", "|", 2, ""},
        {"", "|", 3, "-+-"},
        {"a|b|c", "|", 0, "a"},
        {"a|b|c", "|", -5, "a"},
        {"a|", "|", 2, ""},
        {"a|", "|", 3, "-+-"},
        {"\t x = 1 \r", "=", 2, " 1"},
        {"key=a=b", "=", 2, "a"},
        // A separator of several characters is skipped whole.
        {"1|2;]*-\xA3?X51oA2%7|8", ";]*-\xA3?X51oA2%", 2, "7|8"},
        {"x::y::z", "::", 3, "z"},
        {"x::y", "::", 3, "-+-"},
    };
    for (const FieldCase& c : cases)
        EXPECT_EQ(Field(c.text, c.separator, c.index), c.expected)
            << "Field(\"" << c.text << "\", \"" << c.separator << "\", " << c.index << ")";
}

TEST(ReadNumber, IsLenient) {
    const std::pair<std::string, int32_t> cases[] = {
        {"  42xyz", 42},
        {"-7", -7},
        {"-+-", 0},
        {"$1F", 31},
        {"$1f", 31},
        {"%101", 5},
        {"", 0},
        {"+12", 12},
        {"\t\n 9", 9},
        {"x5", 0},
        {"-$10", -16},
        {"%102", 2},
        {"1024 ; wide", 1024},
        {"4294967297", 1},
        {"-2147483648", INT32_MIN},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ReadInt(text), expected) << '"' << text << '"';
    EXPECT_EQ(ReadInt64("64605772799"), 64605772799LL);
    EXPECT_EQ(ReadInt64("-9223372036854775808"), INT64_MIN);
}

TEST(ReadNumber, AbsoluteValuesStayNonNegative) {
    EXPECT_EQ(AbsInt(-640), 640);
    EXPECT_EQ(AbsInt(INT32_MIN), INT32_MAX);
    EXPECT_EQ(AbsInt64(INT64_MIN), INT64_MAX);
}

TEST(TextHelpers, ClipToTheText) {
    EXPECT_EQ(Mid("31 DEC 2009", 8, 4), "2009");
    EXPECT_EQ(Mid("abc", 3, 10), "c");
    EXPECT_EQ(Mid("abc", 5, 1), "");
    EXPECT_EQ(Mid("abc", 0, 2), "a");
    EXPECT_EQ(Right("000291", 3), "291");
    EXPECT_EQ(Right("ab", 5), "ab");
    EXPECT_EQ(PadNumber(7, 3), "007");
    EXPECT_EQ(PadNumber(123456789, 8), "23456789");
    EXPECT_EQ(UpperCase("fullscreen = on\xE9"), "FULLSCREEN = ON\xE9");
}

} // namespace
} // namespace glimmet
