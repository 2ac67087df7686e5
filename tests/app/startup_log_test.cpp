// The debug log of a whole first run (no Setup.ini, the real game data) compared line by line with the
// expected log. The engine test's figures depend on the machine and are masked; so is the renderer
// fallback line, which only a machine without the asked-for renderer writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#include "app/program.h"
#include "platform/draw_log.h"
#include "platform/files.h"
#include "support/screen.h"

namespace glimmet {
namespace {

std::vector<std::string> Masked(const std::vector<std::string>& lines) {
    static const std::regex Figure("^(\tMain sprites : |\tGlowy Sprites : |\tParticles : )-?[0-9]+$");
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        if (line.rfind("\tRenderer not available here", 0) == 0) continue;
        out.push_back(std::regex_replace(line, Figure, "$1#"));
    }
    return out;
}

TEST(StartupLog, FirstRunMatchesTheExpectedLog) {
    test::TempDir dir;
    std::filesystem::copy(GLIMMET_RUN_DIR "/Files", "Files", std::filesystem::copy_options::recursive);
    std::filesystem::remove("Files/Setup.ini");
    std::filesystem::remove("Files/291/nuscores.dat");
    SkipRasterising(true);
    EXPECT_EQ(test::RunProgramToEnd(), 0);
    SkipRasterising(false);
    FilesFolder.clear();
    std::vector<std::string> actual = Masked(*ReadTextLines(dir.path() + "/Files/Debug.txt"));
    std::vector<std::string> expected = *ReadTextLines(GLIMMET_FIXTURES "/first_run_debug.txt");
    if (actual != expected) {
        std::ofstream keep(GLIMMET_RUN_DIR "/../first_run_debug.actual.txt", std::ios::binary);
        for (const std::string& line : actual) keep << line << "\r\n";
    }
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
}

} // namespace
} // namespace glimmet
