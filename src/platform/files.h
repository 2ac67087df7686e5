#pragma once
// Files and folders: bare names relative to the current folder, text read and written byte for byte.
//
// Text files hold one byte per character. Every line is written followed by CR LF. When read, a line
// ends at LF, every CR is dropped, and a NUL byte ends the line early (the rest up to LF is skipped).
// Reading a file gives at least one line: an empty file reads as one empty line, and a last line
// without LF still counts. Files that keep the user's data are written to a temporary file that is
// renamed over the old one, so a crash or a full disk never leaves half a file behind.

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace glimmet {

enum class FileKind { None, File, Folder };

FileKind FileType(const std::string& name);
bool FileExists(const std::string& name);
bool DeleteFile(const std::string& name);
bool ChangeDir(const std::string& path);
std::string CurrentDir();

// The lines of a text file, or nothing when it cannot be opened.
std::optional<std::vector<std::string>> ReadTextLines(const std::string& name);

// Replaces the file with these lines: written to a temporary file in the same folder, synced and
// renamed over the old file. On any failure the old file is left as it was and false is returned.
bool WriteTextFile(const std::string& name, const std::vector<std::string>& lines);

// A text file held open for writing line by line (the debug log). Each line reaches the file at once.
struct TextWriter {
    std::FILE* file = nullptr;
};

TextWriter OpenTextWriter(const std::string& name); // truncates; file is null when it cannot be created
bool WriteTextLine(TextWriter& writer, const std::string& text);
void CloseTextWriter(TextWriter& writer);

} // namespace glimmet
