#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/temp_dir.h"

namespace glimmet {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(TextFiles, ReadingSplitsAtLineFeedsDropsCarriageReturnsAndStopsAtNul) {
    TempDir dir;
    struct Case {
        std::string bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"\r\n", {""}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"x\ry\r\n", {"xy"}},
        {std::string("ab\0cd\r\nef", 9), {"ab", "ef"}},
        {"caf\xE9\r\n", {"caf\xE9"}},
    };
    for (const Case& c : cases) {
        WriteBytes("t.txt", c.bytes);
        auto lines = ReadTextLines("t.txt");
        ASSERT_TRUE(lines.has_value());
        EXPECT_EQ(*lines, c.lines);
    }
    EXPECT_FALSE(ReadTextLines("missing.txt").has_value());
    test::MakeFolder("folder");
    EXPECT_FALSE(ReadTextLines("folder").has_value());
}

TEST(TextFiles, WritingEndsEveryLineWithCrLfAndRoundTrips) {
    TempDir dir;
    const std::vector<std::string> lines = {"[Graphics]", "", "caf\xE9 \xFF"};
    ASSERT_TRUE(WriteTextFile("out.ini", lines));
    EXPECT_EQ(ReadBytes("out.ini"), "[Graphics]\r\n\r\ncaf\xE9 \xFF\r\n");
    EXPECT_EQ(*ReadTextLines("out.ini"), lines);
    EXPECT_FALSE(FileExists("out.ini.tmp"));
}

TEST(TextFiles, FailedWriteLeavesTheOldFile) {
    TempDir dir;
    WriteBytes("keep.ini", "old\r\n");
    test::MakeFolder("keep.ini.tmp"); // the temporary file cannot be created
    EXPECT_FALSE(WriteTextFile("keep.ini", {"new"}));
    EXPECT_EQ(ReadBytes("keep.ini"), "old\r\n");
    EXPECT_FALSE(WriteTextFile("no/such/folder.ini", {"x"}));
}

TEST(TextFiles, WriterFlushesEveryLine) {
    TempDir dir;
    TextWriter writer = OpenTextWriter("log.txt");
    ASSERT_NE(writer.file, nullptr);
    WriteTextLine(writer, "one");
    EXPECT_EQ(ReadBytes("log.txt"), "one\r\n"); // on disk before the writer is closed
    CloseTextWriter(writer);
    TextWriter broken = OpenTextWriter("no/such/log.txt");
    EXPECT_FALSE(WriteTextLine(broken, "lost"));
    CloseTextWriter(broken);
}

TEST(Folders, TypesAndChanges) {
    TempDir dir;
    test::MakeFolder("Files/291");
    WriteBytes("Files/a.txt", "x");
    EXPECT_EQ(FileType("Files"), FileKind::Folder);
    EXPECT_EQ(FileType("Files/a.txt"), FileKind::File);
    EXPECT_EQ(FileType("nothing"), FileKind::None);
    EXPECT_EQ(FileType(""), FileKind::None);
    ASSERT_TRUE(ChangeDir("Files/291/"));
    EXPECT_TRUE(FileExists("../a.txt"));
    EXPECT_FALSE(ChangeDir("missing"));
    EXPECT_EQ(CurrentDir(), dir.path() + "/Files/291");
    EXPECT_TRUE(DeleteFile("../a.txt"));
    EXPECT_FALSE(DeleteFile("../a.txt"));
}

} // namespace
} // namespace glimmet
