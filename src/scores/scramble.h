#pragma once
// The reversible text scrambler with a built-in check value that wraps every line of the score file
// and the messages to the score server.

#include <string>

namespace glimmet {

extern std::string DefaultKey; // built once at start by BuildDefaultKey
inline const std::string LoginKey = "7QmT2rWp";

int CheckValue(const std::string& text); // 0..4095
int HexValue(const std::string& text);   // upper-case hex digits; anything else counts 0

// Upper-case hex digits, 2 x (length + 12) of them. An empty key means DefaultKey.
std::string Scramble(const std::string& text, const std::string& key);
// The text back, or "XXX" when a check fails or nothing is left to unscramble.
std::string Unscramble(const std::string& hex, const std::string& key);

void BuildDefaultKey();

} // namespace glimmet
