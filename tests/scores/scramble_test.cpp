#include <gtest/gtest.h>

#include "scores/scramble.h"

namespace glimmet {
namespace {

class Scrambler : public testing::Test {
  protected:
    void SetUp() override { BuildDefaultKey(); }
};

TEST_F(Scrambler, CheckValueAndHexValue) {
    EXPECT_EQ(CheckValue("abc"), 1770);
    EXPECT_EQ(CheckValue("abcd"), 2970);
    EXPECT_EQ(CheckValue(""), 0);
    EXPECT_EQ(HexValue("1F"), 31);
    EXPECT_EQ(HexValue("ff"), 0); // lower-case letters count 0
    EXPECT_EQ(HexValue("G7"), 7);
    EXPECT_EQ(HexValue(""), 0);
}

// Outputs worked out independently from the algorithm's description.
TEST_F(Scrambler, OutputIsPinned) {
    EXPECT_EQ(Scramble("abcd", "KEY"), "6F7E223E2E2B392C6D78697B756A7277");
    // Pins the default key, and so its sentence: changing either loses every saved score.
    EXPECT_EQ(Scramble("Player", ""), "4B645174537F0A2D28203B090C5474516864");
}

TEST_F(Scrambler, DefaultKeyShape) {
    ASSERT_EQ(DefaultKey.size(), 2u * (17 + 64));
    for (char c : DefaultKey) {
        EXPECT_GE(static_cast<unsigned char>(c), 31);
        EXPECT_LE(static_cast<unsigned char>(c), 106);
    }
}

TEST_F(Scrambler, RoundTrips) {
    std::string all;
    for (int c = 1; c < 256; c++) all += static_cast<char>(c);
    const std::string texts[] = {
        "a", "abc", "abcd", "Player|0|1", std::string(1, '\0'), all, std::string(5000, 'z')};
    const std::string keys[] = {"", "7QmT2rWp", "K", std::string("\x01\xFF", 2)};
    for (const std::string& key : keys)
        for (const std::string& text : texts) {
            std::string hex = Scramble(text, key);
            EXPECT_EQ(hex.size(), 2 * (text.size() + 12));
            EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
            EXPECT_EQ(Unscramble(hex, key), text) << "length " << text.size();
        }
}

TEST_F(Scrambler, RejectsWhatDoesNotCheck) {
    std::string hex = Scramble("Flonder|12345", "");
    EXPECT_EQ(Unscramble(hex, "7QmT2rWp"), "XXX"); // wrong key
    std::string damaged = hex;
    damaged[5] = damaged[5] == '0' ? '1' : '0';
    EXPECT_EQ(Unscramble(damaged, ""), "XXX");
    EXPECT_EQ(Unscramble(hex + "7", ""), Unscramble(hex, "")); // an odd last digit is ignored
}

TEST_F(Scrambler, MalformedInputHasADefinedResult) {
    const std::string inputs[] = {"",
                                  "A",
                                  "ABCDEF",
                                  "00112233445566",
                                  "zz!!??..",
                                  std::string(24, '0'),
                                  "not hex at all, but long enough to decode"};
    for (const std::string& input : inputs) EXPECT_EQ(Unscramble(input, ""), "XXX") << input;
    // An empty text cannot come back: there is nothing to rotate, so it reads as damaged.
    std::string empty = Scramble("", "");
    EXPECT_EQ(empty.size(), 24u);
    EXPECT_EQ(Unscramble(empty, ""), "XXX");
}

} // namespace
} // namespace glimmet
