#include "platform/files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glimmet {

namespace {

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string EncodeLines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

FileKind FileType(const std::string& name) {
    struct stat info;
    if (name.empty() || stat(name.c_str(), &info) != 0) return FileKind::None;
    if (S_ISDIR(info.st_mode)) return FileKind::Folder;
    return FileKind::File;
}

bool FileExists(const std::string& name) {
    return FileType(name) == FileKind::File;
}

bool DeleteFile(const std::string& name) {
    return unlink(name.c_str()) == 0;
}

bool ChangeDir(const std::string& path) {
    return chdir(path.c_str()) == 0;
}

std::string CurrentDir() {
    std::string path(4096, '\0');
    if (getcwd(path.data(), path.size()) == nullptr) return "";
    path.resize(path.find('\0'));
    return path;
}

std::optional<std::vector<std::string>> ReadTextLines(const std::string& name) {
    if (FileType(name) != FileKind::File) return std::nullopt;
    std::FILE* file = std::fopen(name.c_str(), "rb");
    if (file == nullptr) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    bool cut = false; // a NUL ended this line; skip to LF
    bool pending = false;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        for (size_t i = 0; i < n; i++) {
            char c = buffer[i];
            pending = true;
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
                cut = false;
                pending = false;
            } else if (cut || c == '\r') {
                continue;
            } else if (c == '\0') {
                cut = true;
            } else {
                line += c;
            }
        }
    }
    std::fclose(file);
    if (pending || lines.empty()) lines.push_back(line);
    return lines;
}

bool WriteTextFile(const std::string& name, const std::vector<std::string>& lines) {
    std::string temp = name + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, EncodeLines(lines)) && fsync(fd) == 0;
    ok = (close(fd) == 0) && ok;
    if (ok) ok = rename(temp.c_str(), name.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

TextWriter OpenTextWriter(const std::string& name) {
    return TextWriter{std::fopen(name.c_str(), "wb")};
}

bool WriteTextLine(TextWriter& writer, const std::string& text) {
    if (writer.file == nullptr) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), writer.file) == text.size();
    ok = std::fwrite("\r\n", 1, 2, writer.file) == 2 && ok;
    return std::fflush(writer.file) == 0 && ok;
}

void CloseTextWriter(TextWriter& writer) {
    if (writer.file != nullptr) std::fclose(writer.file);
    writer.file = nullptr;
}

} // namespace glimmet
