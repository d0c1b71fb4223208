// The text file object: the line rule, block reads, writes, error codes and path tests.
#include "fileio/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <vector>

#include "support/temp_dir.h"

namespace {

const std::string kNulInName("name\0tail", 9);

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override { TakeFileError(); }

  // Reads `name` as every reader does: ReadLine while AtEnd is false.
  std::vector<std::string> ReadLines(const std::string& path) {
    TextFile file;
    file.SetPath(path);
    file.OpenRead();
    EXPECT_EQ(TakeFileError(), 0);
    std::vector<std::string> lines;
    std::string line;
    while (!file.AtEnd()) {
      file.ReadLine(line);
      lines.push_back(line);
    }
    file.Close();
    return lines;
  }

  TempDir dir;
};

struct ReadLineCase {
  const char* name;
  std::string content;
  std::vector<std::string> lines;
};

void PrintTo(const ReadLineCase& c, std::ostream* out) { *out << c.name; }

class ReadLineTest : public TextFileTest, public ::testing::WithParamInterface<ReadLineCase> {};

TEST_P(ReadLineTest, YieldsTheLinesOfTheFile) {
  dir.Write("f", GetParam().content);
  EXPECT_EQ(ReadLines(dir.Path("f")), GetParam().lines);
  EXPECT_EQ(TakeFileError(), 0);
}

const std::string kLong(5000, 'L');
const std::string kBlock(2047, 'x');
const std::string kFullLine(65536, 'F');

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadLineTest,
    ::testing::Values(
        ReadLineCase{"CrLfEnds", "a\r\nb\r\n", {"a", "b"}},
        ReadLineCase{"InnerCrDropped", "a\rb\n", {"ab"}},
        ReadLineCase{"NoFinalLf", "abc", {"abc"}},
        ReadLineCase{"EmptyFile", "", {""}},
        ReadLineCase{"EmptyLines", "\n\n", {"", ""}},
        ReadLineCase{"ExactBlockGivesExtraEmptyLine", kBlock + "\n", {kBlock, ""}},
        ReadLineCase{"ExactBlockTwoLines", "ab\n" + std::string(2044, 'y') + "\n",
                     {"ab", std::string(2044, 'y'), ""}},
        ReadLineCase{"TwoExactBlocks", kBlock + "\n" + kBlock + "\n", {kBlock, kBlock, ""}},
        ReadLineCase{"OneByteOverBlock", kBlock + "x\n", {kBlock + "x"}},
        ReadLineCase{"LongLineSpansRefills", kLong + "\nz\n", {kLong, "z"}},
        ReadLineCase{"CrAtBlockBoundary", kBlock + "\r\nq", {kBlock, "q"}},
        ReadLineCase{"CrOnlyInALaterBlock", kLong + "\ra\r\nb\n", {kLong + "a", "b"}},
        ReadLineCase{"CrOnlyInTheFirstBlock", "\r" + kLong + "\nz\n", {kLong, "z"}},
        ReadLineCase{"OverLongLineCutAndSkippedToItsLf", kFullLine + kLong + "\nnext",
                     {kFullLine, "next"}},
        ReadLineCase{"CrsDoNotCountTowardsTheCap", "\r" + kFullLine + "\r\nz", {kFullLine, "z"}},
        ReadLineCase{"NulAndHighBytesKept", std::string("a\0\xFF\x80\n", 5),
                     {std::string("a\0\xFF\x80", 4)}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFileTest, WriteLineAddsOneLf) {
  TextFile file;
  file.SetPath(dir.Path("out"));
  file.OpenWrite();
  file.WriteLine("x");
  file.WriteText("a\r\nb");
  file.Close();
  EXPECT_EQ(TakeFileError(), 0);
  EXPECT_EQ(dir.Read("out"), "x\na\r\nb");
}

TEST_F(TextFileTest, EmptyWriteTextLeavesAnEmptyFile) {
  dir.Write("out", "old content");
  TextFile file;
  file.SetPath(dir.Path("out"));
  file.OpenWrite();
  file.WriteText("");
  file.Close();
  EXPECT_EQ(TakeFileError(), 0);
  EXPECT_EQ(dir.Read("out"), "");
}

TEST_F(TextFileTest, MissingFileGivesOpenErrorOnce) {
  TextFile file;
  file.SetPath(dir.Path("missing"));
  file.OpenRead();
  EXPECT_EQ(TakeFileError(), 100 + ENOENT);
  EXPECT_EQ(TakeFileError(), 0);
  EXPECT_TRUE(file.AtEnd());
}

TEST_F(TextFileTest, EmptyPathIsMissing) {
  TextFile file;
  file.SetPath("");
  file.OpenRead();
  EXPECT_EQ(TakeFileError(), 100 + ENOENT);
  file.OpenWrite();
  EXPECT_EQ(TakeFileError(), 100 + ENOENT);
}

TEST_F(TextFileTest, NameWithZeroByteIsRefused) {
  dir.Write("name", "secret\n");
  for (const bool forWriting : {false, true}) {
    TextFile file;
    file.SetPath(dir.Path(kNulInName));
    forWriting ? file.OpenWrite() : file.OpenRead();
    EXPECT_EQ(TakeFileError(), 100 + EINVAL);
    EXPECT_TRUE(file.AtEnd());
    EXPECT_EQ(TakeFileError(), 103);
  }
  EXPECT_EQ(dir.Read("name"), "secret\n");
}

struct ClosedCase {
  const char* name;
  std::function<void(TextFile&)> operation;
};

void PrintTo(const ClosedCase& c, std::ostream* out) { *out << c.name; }

class ClosedFileTest : public TextFileTest, public ::testing::WithParamInterface<ClosedCase> {};

TEST_P(ClosedFileTest, RecordsNoStream) {
  TextFile file;
  file.SetPath(dir.Path("never-opened"));
  GetParam().operation(file);
  EXPECT_EQ(TakeFileError(), 103);
  EXPECT_FALSE(dir.Exists("never-opened"));
}

INSTANTIATE_TEST_SUITE_P(
    Operations, ClosedFileTest,
    ::testing::Values(
        ClosedCase{"ReadLine",
                   [](TextFile& f) {
                     std::string line = "stale";
                     f.ReadLine(line);
                     EXPECT_EQ(line, "");
                   }},
        ClosedCase{"AtEnd", [](TextFile& f) { EXPECT_TRUE(f.AtEnd()); }},
        ClosedCase{"Size", [](TextFile& f) { EXPECT_EQ(f.Size(), 0); }},
        ClosedCase{"WriteLine", [](TextFile& f) { f.WriteLine("x"); }},
        ClosedCase{"WriteText", [](TextFile& f) { f.WriteText("x"); }},
        ClosedCase{"Close", [](TextFile& f) { f.Close(); }},
        ClosedCase{"ReadBytes",
                   [](TextFile& f) {
                     char bytes[4];
                     std::size_t delivered = 7;
                     f.ReadBytes(bytes, sizeof bytes, delivered);
                     EXPECT_EQ(delivered, 0u);
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TextFileTest, SuccessKeepsAnEarlierError) {
  dir.Write("f", "a\n");
  lastFileError = 7;
  TextFile file;
  file.SetPath(dir.Path("f"));
  file.OpenRead();
  std::string line;
  file.ReadLine(line);
  file.Close();
  EXPECT_EQ(TakeFileError(), 7);
}

TEST_F(TextFileTest, CloseAfterReadingEmptiesPathSoReopenFails) {
  dir.Write("f", "a\n");
  TextFile file;
  file.SetPath(dir.Path("f"));
  file.OpenRead();
  file.Close();
  EXPECT_EQ(TakeFileError(), 0);
  file.OpenRead();
  EXPECT_EQ(TakeFileError(), 100 + ENOENT);
}

// A folder where the new file is to go makes the rename at Close fail.
TEST_F(TextFileTest, FailedCloseIsRecordedAndLeavesNoNewFile) {
  TextFile file;
  file.SetPath(dir.Path("f"));
  file.OpenWrite();
  file.WriteText("x");
  ASSERT_EQ(mkdir(dir.Path("f").c_str(), 0777), 0);
  EXPECT_EQ(TakeFileError(), 0);
  file.Close();
  EXPECT_EQ(TakeFileError(), 103);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST_F(TextFileTest, SetPathKeepsErrorWhenCloseFails) {
  TextFile file;
  file.SetPath(dir.Path("f"));
  file.OpenWrite();
  file.WriteText("x");
  ASSERT_EQ(mkdir(dir.Path("f").c_str(), 0777), 0);
  lastFileError = 5;
  file.SetPath(dir.Path("next"));
  EXPECT_EQ(TakeFileError(), 5);
  file.SetPath(dir.Path("other"));
  EXPECT_EQ(TakeFileError(), 0);
}

TEST_F(TextFileTest, SizeCountsTheBytesWrittenSoFar) {
  TextFile file;
  file.SetPath(dir.Path("w"));
  file.OpenWrite();
  file.WriteText("abc");
  EXPECT_EQ(file.Size(), 3);
  file.Close();
  EXPECT_EQ(dir.Read("w"), "abc");
}

TEST_F(TextFileTest, SizeKeepsTheReadPosition) {
  dir.Write("f", "0123456789");
  TextFile file;
  file.SetPath(dir.Path("f"));
  file.OpenRead();
  char bytes[16] = {};
  std::size_t delivered = 0;
  file.ReadBytes(bytes, 3, delivered);
  EXPECT_EQ(delivered, 3u);
  EXPECT_EQ(file.Size(), 10);
  file.ReadBytes(bytes, sizeof bytes, delivered);
  EXPECT_EQ(std::string(bytes, delivered), "3456789");
  file.Close();
  EXPECT_EQ(TakeFileError(), 0);
}

// Reading the process's own memory at address 0 fails with EIO.
TEST_F(TextFileTest, ReadErrorEndsReadingWithIoError) {
  TextFile file;
  file.SetPath("/proc/self/mem");
  file.OpenRead();
  ASSERT_EQ(TakeFileError(), 0);
  std::string line = "stale";
  file.ReadLine(line);
  EXPECT_EQ(line, "");
  EXPECT_TRUE(file.AtEnd());
  EXPECT_EQ(TakeFileError(), 1);
  file.Close();
}

TEST_F(TextFileTest, FolderIsNotOpened) {
  TextFile file;
  file.SetPath(dir.path());
  file.OpenRead();
  EXPECT_EQ(TakeFileError(), 100 + EISDIR);
}

struct PathCase {
  const char* name;
  std::string path;  // below the test directory unless absolute
  bool isFile;
  bool isDirectory;
};

void PrintTo(const PathCase& c, std::ostream* out) { *out << c.name; }

class PathTestTest : public TextFileTest, public ::testing::WithParamInterface<PathCase> {};

TEST_P(PathTestTest, ReportsTheEntryKind) {
  dir.Write("file", "x");
  dir.MakeDir("folder");
  ASSERT_EQ(symlink("folder", dir.Path("folder-link").c_str()), 0);
  ASSERT_EQ(symlink("missing", dir.Path("dangling").c_str()), 0);
  const std::string& path = GetParam().path;
  const std::string full = !path.empty() && path[0] == '/' ? path : dir.Path(path);
  lastFileError = 9;
  EXPECT_EQ(IsFile(full), GetParam().isFile);
  EXPECT_EQ(IsDirectory(full), GetParam().isDirectory);
  EXPECT_EQ(TakeFileError(), 9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathTestTest,
    ::testing::Values(PathCase{"File", "file", true, false},
                      PathCase{"Folder", "folder", false, true},
                      PathCase{"LinkToFolder", "folder-link", false, true},
                      PathCase{"DanglingLink", "dangling", false, false},
                      PathCase{"Missing", "missing", false, false},
                      PathCase{"Device", "/dev/null", true, false},
                      PathCase{"CutAtZeroByte", std::string("file\0folder", 11), true, false},
                      PathCase{"FolderCutAtZeroByte", std::string("folder\0x", 8), false, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PathTest, EmptyPathIsNothing) {
  EXPECT_FALSE(IsFile(""));
  EXPECT_FALSE(IsDirectory(""));
}

}  // namespace
