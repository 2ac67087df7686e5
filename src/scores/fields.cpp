#include "scores/fields.h"

namespace glimmet {

namespace {

// 1-based position of the first occurrence of needle at or after start; 0 when there is none.
size_t FindFrom(const std::string& text, const std::string& needle, size_t start) {
    if (needle.empty() || start < 1) return 0;
    size_t at = text.find(needle, start - 1);
    return at == std::string::npos ? 0 : at + 1;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9')
        v = c - '0';
    else if (c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
    return v < base ? v : -1;
}

uint64_t ReadBits(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '%')
        base = 2, i++;
    else if (i < text.size() && text[i] == '$')
        base = 16, i++;
    uint64_t value = 0;
    for (; i < text.size(); i++) {
        int digit = DigitValue(text[i], base);
        if (digit < 0) break;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
    }
    return negative ? ~value + 1 : value;
}

} // namespace

std::string TrimBlanks(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) < 33) first++;
    while (last > first && static_cast<unsigned char>(text[last - 1]) < 33) last--;
    return text.substr(first, last - first);
}

std::string Field(const std::string& raw, const std::string& separator, int index) {
    const std::string text = TrimBlanks(raw);
    size_t start = 1, end = 0;
    bool missing = false;
    for (int pass = 1; pass < index; pass++) {
        size_t found = FindFrom(text, separator, start);
        if (found + 1 <= end) {
            missing = true; // no further separator: this field does not exist
        } else {
            // The next field begins after the whole separator. The first pass cannot tell a missing
            // separator (end is still 0), so a text without one yields itself again as field 2.
            end = found == 0 ? 1 : found + separator.size();
        }
        start = end;
    }
    if (missing) return "-+-";
    if (start > text.size()) return "";
    size_t next = FindFrom(text, separator, start);
    if (next < start) return text.substr(start - 1);
    return text.substr(start - 1, next - start);
}

int32_t ReadInt(const std::string& text) {
    return static_cast<int32_t>(static_cast<uint32_t>(ReadBits(text)));
}

int64_t ReadInt64(const std::string& text) {
    return static_cast<int64_t>(ReadBits(text));
}

int32_t AbsInt(int32_t value) {
    if (value == INT32_MIN) return INT32_MAX;
    return value < 0 ? -value : value;
}

int64_t AbsInt64(int64_t value) {
    if (value == INT64_MIN) return INT64_MAX;
    return value < 0 ? -value : value;
}

std::string UpperCase(const std::string& text) {
    std::string upper = text;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string Mid(const std::string& text, int start, int length) {
    if (length <= 0) return "";
    long first = start - 1L, last = first + length;
    if (first < 0) first = 0;
    if (last > static_cast<long>(text.size())) last = static_cast<long>(text.size());
    if (first >= last) return "";
    return text.substr(static_cast<size_t>(first), static_cast<size_t>(last - first));
}

std::string Left(const std::string& text, int count) {
    return Mid(text, 1, count);
}

std::string Right(const std::string& text, int count) {
    if (count <= 0) return "";
    if (static_cast<size_t>(count) >= text.size()) return text;
    return text.substr(text.size() - static_cast<size_t>(count));
}

std::string PadNumber(int64_t value, int digits) {
    return Right(std::string(digits, '0') + std::to_string(value), digits);
}

} // namespace glimmet
