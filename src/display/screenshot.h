#pragma once
// Screenshots: F11 saves the frame as a PNG file named after the game and the local date and time,
// in the Files folder.

#include <string>

namespace glimmet {

// The text without any of the characters # ' , ` . \ / : | * ? and the double quote.
std::string CleanFileName(const std::string& text);
std::string ScreenshotFileName(); // from the title words and the local date and time
void TakeScreenshot();

} // namespace glimmet
