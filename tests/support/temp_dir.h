#pragma once
// A fresh temporary folder that is the current folder for the life of the object.

#include <string>
#include <vector>

namespace glimmet::test {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }

  private:
    std::string path_;
    std::string previous_;
};

// Whole-file helpers for tests: raw bytes in and out, and the lines as the program reads them.
std::string ReadBytes(const std::string& name);
void WriteBytes(const std::string& name, const std::string& bytes);
void MakeFolder(const std::string& name);

} // namespace glimmet::test
