// The scrambler. Two passes, each: take the check value s of the text, rotate the text left by
// s mod length, append s as six decimal digits, and XOR every character with the key. The result of
// the second pass is written as two upper-case hex digits per character (low 8 bits). Unscrambling
// undoes the passes in reverse order and rejects the text when either check value does not match.
//
// The key character for 1-based position i is the key's character at 1-based position (i mod L) + 1.

#include "scores/scramble.h"

#include <cstdint>

#include "base/state.h"
#include "scores/fields.h"

namespace glimmet {

std::string DefaultKey;

namespace {

// Mixed into DefaultKey. Never change it: every saved score would stop reading back.
const std::string KeySentence = "Glimmet glows on every ledge we light; keep the scores safe now.";

unsigned Code(char c) {
    return static_cast<unsigned char>(c);
}

// Rotates text left by r; r is brought into 0..length-1 first.
std::string RotateLeft(const std::string& text, long r) {
    long n = static_cast<long>(text.size());
    if (n == 0) return text;
    r = ((r % n) + n) % n;
    return text.substr(static_cast<size_t>(r)) + text.substr(0, static_cast<size_t>(r));
}

std::string XorWithKey(const std::string& text, const std::string& key) {
    std::string out = text;
    for (size_t i = 1; i <= out.size(); i++)
        out[i - 1] = static_cast<char>(Code(out[i - 1]) ^ Code(key[i % key.size()]));
    return out;
}

std::string ScramblePass(const std::string& text) {
    int check = CheckValue(text);
    long n = static_cast<long>(text.size());
    return RotateLeft(text, n == 0 ? 0 : check % n) + PadNumber(check, 6);
}

// Undoes one pass; false when nothing is left after the check digits or the check fails.
bool UnscramblePass(const std::string& text, std::string& out) {
    if (text.size() <= 6) return false;
    int64_t check = ReadInt64(Right(text, 6));
    std::string body = text.substr(0, text.size() - 6);
    long n = static_cast<long>(body.size());
    out = RotateLeft(body, -static_cast<long>(check % n));
    return CheckValue(out) == check;
}

} // namespace

int CheckValue(const std::string& text) {
    int64_t sum = 0;
    for (size_t i = 1; i <= text.size(); i++)
        sum = (sum + static_cast<int64_t>(Code(text[i - 1])) * 3 * static_cast<int64_t>(i)) % 4096;
    return static_cast<int>(sum);
}

int HexValue(const std::string& text) {
    uint32_t value = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        value = value * 16 + digit;
    }
    return static_cast<int>(value);
}

std::string Scramble(const std::string& text, const std::string& key) {
    const std::string& k = key.empty() ? DefaultKey : key;
    if (k.empty()) return "";
    std::string x = XorWithKey(ScramblePass(text), k);
    std::string y = XorWithKey(ScramblePass(x), k);
    static const char Digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(y.size() * 2);
    for (char c : y) {
        hex += Digits[Code(c) >> 4 & 15];
        hex += Digits[Code(c) & 15];
    }
    return hex;
}

std::string Unscramble(const std::string& hex, const std::string& key) {
    const std::string& k = key.empty() ? DefaultKey : key;
    if (k.empty()) return "XXX";
    std::string w;
    for (size_t i = 1; i <= hex.size() / 2; i++)
        w += static_cast<char>(static_cast<unsigned>(HexValue(hex.substr(2 * i - 2, 2))) ^
                               Code(k[i % k.size()]));
    std::string v, text;
    if (!UnscramblePass(w, v)) return "XXX";
    if (!UnscramblePass(XorWithKey(v, k), text)) return "XXX";
    return text;
}

void BuildDefaultKey() {
    const std::string a = TitleLine1 + " " + TitleLine2;
    const std::string& b = KeySentence;
    const long w = WeekNumber;
    DefaultKey.clear();
    for (long i = 1; i <= static_cast<long>(a.size() + b.size()); i++) {
        long ca = Code(a[static_cast<size_t>(i) % a.size()]);
        ca = (ca + w + 7 * i) % 76 + 32;
        ca = (ca + w + 5 * i) % 75 + 31;
        DefaultKey += static_cast<char>(ca);
        long cb = Code(b[static_cast<size_t>(i) % b.size()]);
        cb = (cb + w + 3 * i) % 74 + 34;
        cb = (cb + w + 11 * i) % 71 + 36;
        DefaultKey += static_cast<char>(cb);
    }
}

} // namespace glimmet
