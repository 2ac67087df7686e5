#include "app/debug_log.h"

namespace glimmet {

TextWriter LogFile;

void OpenLog() {
    CloseTextWriter(LogFile);
    LogFile = OpenTextWriter("Debug.txt");
}

void LogLine(const std::string& text) {
    WriteTextLine(LogFile, text);
}

void CloseLog() {
    CloseTextWriter(LogFile);
}

} // namespace glimmet
