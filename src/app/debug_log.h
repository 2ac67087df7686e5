#pragma once
// The debug log, Debug.txt in the Files folder.
//
// A plain text trace of start-up, display opening, asset loading and shutdown, rewritten from empty on
// every run. One line per LogLine call, exactly the text given (detail lines begin with a tab), one byte
// per character, CR LF after every line. Each line reaches the file as it is written, so a crash keeps
// everything logged before it. When the file cannot be created, logging does nothing.

#include <string>

#include "platform/files.h"

namespace glimmet {

extern TextWriter LogFile;

void OpenLog(); // creates (truncates) Debug.txt in the current folder
void LogLine(const std::string& text);
void CloseLog();

} // namespace glimmet
