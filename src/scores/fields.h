#pragma once
// Taking text apart: fields between separators, lenient number reading, and the small text helpers
// that every format of the program shares.

#include <cstdint>
#include <string>

namespace glimmet {

// The index-th field of text cut at separator, counted from 1, after trimming every character below
// code 33 from both ends of text. "-+-" when there is no such field; a text without the separator is
// field 1 and also field 2. An index of 1 or less gives field 1.
std::string Field(const std::string& text, const std::string& separator, int index);

// Lenient number reading: leading white space, one sign, then "%" binary, "$" hexadecimal or decimal
// digits up to the first character that does not fit. Nothing readable gives 0; overflow wraps.
int32_t ReadInt(const std::string& text);
int64_t ReadInt64(const std::string& text);

// Absolute values that stay non-negative: the most negative number becomes the largest positive one.
int32_t AbsInt(int32_t value);
int64_t AbsInt64(int64_t value);

std::string TrimBlanks(const std::string& text); // removes characters below code 33 from both ends
std::string UpperCase(const std::string& text);  // ASCII letters only
std::string Mid(const std::string& text, int start, int length); // 1-based, clipped to the text
std::string Left(const std::string& text, int count);
std::string Right(const std::string& text, int count);
std::string PadNumber(int64_t value, int digits); // last `digits` characters of zeros + value

} // namespace glimmet
