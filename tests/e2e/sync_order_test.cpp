// Durability of a replaced file, seen through a preloaded seam: the new file is on disk before its rename, the rename after it, and a failed sync keeps the old file.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <vector>

#include "support/cgi_test.h"

namespace {

struct Call {
  std::string kind;  // "fsync" or "rename"
  std::vector<std::string> paths;
  bool succeeded;
};

// The calls the seam recorded, in order.
std::vector<Call> ReadCalls(const std::string& log) {
  std::vector<Call> calls;
  std::istringstream lines(ReadWholeFile(log));
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream parts(line);
    for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
    if (fields.size() < 3) continue;
    calls.push_back({fields.front(), {fields.begin() + 1, fields.end() - 1}, fields.back() == "0"});
  }
  return calls;
}

struct SyncCase {
  const char* name;
  std::string body;
  const char* file;         // the file the request replaces
  const char* failMessage;  // how the alert starts when its new file cannot be synced
};

void PrintTo(const SyncCase& c, std::ostream* out) { *out << c.name; }

class SyncOrderTest : public CgiTest, public ::testing::WithParamInterface<SyncCase> {
 protected:
  void SetUp() override {
    dir.Write("tovimarq.ini", "QUOTES=3\n");
    dir.Write("b.ini", "QUOTES=4\n");
    dir.Write("tvqconf.dat", "tovimarq.ini\nb.ini\n");
    dir.Write("doc.htm", "old");
    dir.Write("searchform.htm", "old");
    folder = std::filesystem::canonical(dir.path());
    target = folder + "/" + GetParam().file;
  }

  // Runs the request with the seam preloaded; `failing` is a part of the paths whose fsync fails.
  std::string RunSeamed(const std::string& failing) {
    CgiRequest request;
    request.body = GetParam().body + "&" + VersionField(GetParam().file);
    request.env = {{"LD_PRELOAD", FsyncSeamPath()},
                   {"TVQ_SEAM_LOG", log.Path("calls")},
                   {"ASAN_OPTIONS", "verify_asan_link_order=0"}};
    if (!failing.empty()) request.env["TVQ_SEAM_FAIL_FSYNC"] = failing;
    const CgiResponse response = RunCgi(DynamicCgiProgramPath(), dir.path(), request);
    EXPECT_EQ(response.exitStatus, 0);
    return response.Body();
  }

  TempDir log;
  std::string folder;
  std::string target;
};

TEST_P(SyncOrderTest, NewFileIsSyncedBeforeItsRenameAndTheFolderAfter) {
  RunSeamed("");
  const std::vector<Call> calls = ReadCalls(log.Path("calls"));
  const auto renamed = std::find_if(calls.begin(), calls.end(), [&](const Call& call) {
    return call.kind == "rename" && call.paths.size() == 2 && call.paths[1] == target &&
           call.succeeded;
  });
  ASSERT_NE(renamed, calls.end()) << "no rename onto " << target;
  const std::string fresh = renamed->paths[0];
  EXPECT_EQ(fresh.rfind(folder + "/.", 0), 0u) << fresh;
  EXPECT_TRUE(std::any_of(calls.begin(), renamed, [&](const Call& call) {
    return call.kind == "fsync" && call.paths == std::vector<std::string>{fresh} && call.succeeded;
  })) << "the new file is not synced before its rename";
  EXPECT_TRUE(std::any_of(renamed + 1, calls.end(), [&](const Call& call) {
    return call.kind == "fsync" && call.paths == std::vector<std::string>{folder};
  })) << "the folder is not synced after the rename";
  EXPECT_NE(dir.Read(GetParam().file), "old");
}

TEST_P(SyncOrderTest, FailedSyncOfTheNewFileKeepsTheOldOne) {
  const std::string before = dir.Read(GetParam().file);
  const std::string page = RunSeamed("/." + std::string(GetParam().file) + ".tvqnew-");
  EXPECT_EQ(dir.Read(GetParam().file), before);
  EXPECT_NE(page.find(" alert('" + std::string(GetParam().failMessage)), std::string::npos);
  for (const Call& call : ReadCalls(log.Path("calls"))) {
    EXPECT_FALSE(call.kind == "rename" && call.paths.back() == target) << "renamed anyway";
  }
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(entry.path().filename().string().find(".tvqnew-"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SyncOrderTest,
    ::testing::Values(
        SyncCase{"EditorSave", "target=editor&act=save&file=doc.htm&text=new", "doc.htm",
                 "Error writing file doc.htm: "},
        SyncCase{"SearchForm", "target=testform&act=saveform", "searchform.htm",
                 "Error writing file searchform.htm: "},
        SyncCase{"StateFile", "target=main&act=selini&ini=1", "tvqconf.dat",
                 "Error writing file tvqconf.dat: "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
