// Fuzz target: one whole request in-process, in a scratch program folder that is
// laid out anew before every input. An input that begins with "?" is the query
// string of a GET request; any other input is the body of a POST request.
#include <unistd.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/request_cycle.h"
#include "cgi/request_reader.h"
#include "fileio/text_file.h"
#include "fuzz_support.h"

namespace {

// The fields whose values name files or folders that a request reads or writes.
const char* const kNameFields[] = {"fname", "file", "ini", "newini", "curdir", "dirlist"};

// Every file stays inside the scratch folder: names that are absolute or step
// up are not tried.
bool StaysInside(const FormData& form) {
  for (const char* field : kNameFields) {
    for (const std::string& value : AllValues(form, field)) {
      if (!value.empty() && value[0] == '/') return false;
      if (value.find("..") != std::string::npos) return false;
    }
  }
  return true;
}

void LayOutProgramFolder(const std::string& folder) {
  namespace fs = std::filesystem;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) fs::remove_all(entry);
  fs::create_directories(folder + "/docs/sub");
  WriteFile(folder + "/docs/a.htm", "<html></html>\n");
  WriteFile(folder + "/tvqconf.dat", "tovimarq.ini\nsecond.ini\n");
  WriteFile(folder + "/tovimarq.ini",
            "SITEROOTURL=http://Host/site\nFILELIST=filelist.txt\nQUOTES=40\nMETHOD=EXACT\n");
  WriteFile(folder + "/second.ini", "LANGUAGE=German.tvl\n");
  WriteFile(folder + "/filelist.txt",
            "DIR=docs/\nURL=docs/\n\nFILE=docs/a.htm\nURL=http://host/site/docs/a.htm\n");
}

std::string WorkingFolder() {
  std::array<char, 4096> buffer{};
  Require(getcwd(buffer.data(), buffer.size()) != nullptr, "the working folder is known");
  return buffer.data();
}

// Crash reports land where the fuzzer was started, not in the scratch folder
// that the request is running in at the time.
void KeepArtifactsHere(int& argc, char**& argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "-artifact_prefix=", 17) == 0) return;
  }
  static std::vector<std::string> added{"-artifact_prefix=" + WorkingFolder() + "/"};
  static std::vector<char*> arguments(argv, argv + argc);
  arguments.push_back(added.front().data());
  arguments.push_back(nullptr);
  argc += 1;
  argv = arguments.data();
}

// The bytes of the page, kept whole.
class StringSink : public PageSink {
 public:
  void Write(const char* bytes, std::size_t size) override { text.append(bytes, size); }
  std::string text;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  KeepArtifactsHere(*argc, *argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  AppState state;
  state.env.remoteUser = "admin";
  state.env.documentRoot = ScratchFolder();
  state.env.scriptName = "/cgi-bin/tovimarqdata/tvqconf.cgi";
  if (!input.empty() && input[0] == '?') {
    state.env.requestMethod = "GET";
    state.env.queryString = input.substr(1);
  } else {
    state.env.requestMethod = "POST";
    state.env.contentLength = std::to_string(size);
  }
  FormData probe;
  std::vector<std::string> ignored;
  std::istringstream probeBody(input);
  ReadRequest(state.env, probeBody, probe, ignored);
  if (!StaysInside(probe)) return -1;

  static const std::string home = WorkingFolder();
  LayOutProgramFolder(ScratchFolder());
  TakeFileError();
  std::istringstream body(input);
  // Wired as the entry point wires it: the page is held until its character set is known.
  StringSink page;
  {
    HeldPage held(page);
    PageWriter writer(held);
    RunRequest(state, ScratchFolder() + "/tvqconf.cgi", BodyFromStream(body), writer);
    writer.DecideCharset(true);
  }
  Require(chdir(home.c_str()) == 0, "the fuzzer's working folder can be entered again");

  const std::string& text = page.text;
  Require(text.compare(0, 23, "Content-type: text/html") == 0, "the page starts with its header");
  Require(text.size() >= 7 && text.compare(text.size() - 7, 7, "</html>") == 0,
          "the page ends with \"</html>\"");
  return 0;
}
