// Starts the CGI program in a child process with a clean CGI environment.
#include "support/cgi_runner.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

const char kHeaderEnd[] = "\n\n";
constexpr unsigned kRunSeconds = 60;

std::vector<std::string> BuildEnvironment(const CgiRequest& request) {
  std::map<std::string, std::string> vars{{"GATEWAY_INTERFACE", "CGI/1.1"},
                                          {"PATH", "/usr/bin:/bin"}};
  if (request.query) vars["QUERY_STRING"] = *request.query;
  if (request.body) vars["CONTENT_LENGTH"] = std::to_string(request.body->size());
  vars["REQUEST_METHOD"] = request.body ? "POST" : "GET";
  if (request.remoteUser) vars["REMOTE_USER"] = *request.remoteUser;
  for (const auto& [name, value] : request.env) vars[name] = value;
  std::vector<std::string> entries;
  for (const auto& [name, value] : vars) entries.push_back(name + "=" + value);
  return entries;
}

void DropPrivileges() {
  const passwd* nobody = getpwnam("nobody");
  const group* nogroup = getgrnam("nogroup");
  if (nobody == nullptr || nogroup == nullptr) _exit(126);
  if (setgroups(0, nullptr) != 0 || setgid(nogroup->gr_gid) != 0 ||
      setuid(nobody->pw_uid) != 0) {
    _exit(126);
  }
}

// Copies of the program that every user can start, one per program path, removed when the test
// process ends. The build tree may lie in a folder that only its owner may enter (a clone in
// root's home folder is mode 700), where a request that drops privileges could not start the
// build's own program; the copy lies in a folder of its own, mode 755, under the temporary
// folder, which every user can reach.
class ReachablePrograms {
 public:
  ~ReachablePrograms() {
    std::error_code ignored;
    for (const auto& [program, copy] : copies_) {
      std::filesystem::remove_all(std::filesystem::path(copy).parent_path(), ignored);
    }
  }

  const std::string& CopyOf(const std::string& program) {
    const std::lock_guard<std::mutex> lock(mutex_);
    auto found = copies_.find(program);
    if (found == copies_.end()) found = copies_.emplace(program, MakeCopy(program)).first;
    return found->second;
  }

 private:
  static std::string MakeCopy(const std::string& program) {
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "tvqconf-program-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    const fs::perms readAndRun = fs::perms::owner_all | fs::perms::group_read |
                                 fs::perms::group_exec | fs::perms::others_read |
                                 fs::perms::others_exec;
    fs::permissions(folder, readAndRun);
    const std::string copy = folder + "/" + fs::path(program).filename().string();
    fs::copy_file(program, copy);
    fs::permissions(copy, readAndRun);
    return copy;
  }

  std::mutex mutex_;
  std::map<std::string, std::string> copies_;
};

// The program to start for `request`: the build's own, or for a request that drops privileges
// a copy that the unprivileged user can reach.
const std::string& ProgramFor(const std::string& program, const CgiRequest& request) {
  static ReachablePrograms reachable;
  return request.unprivileged ? reachable.CopyOf(program) : program;
}

void LimitFileSize(rlim_t bytes) {
  const rlimit limit{bytes, bytes};
  if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(124);
}

void WriteAll(int fd, const std::string& data) {
  std::size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = write(fd, data.data() + written, data.size() - written);
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

std::string ReadAll(int fd) {
  std::string data;
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) data.append(buffer, static_cast<std::size_t>(n));
  return data;
}

}  // namespace

std::string CgiResponse::Body() const {
  const auto end = output.find(kHeaderEnd);
  return end == std::string::npos ? std::string() : output.substr(end + 2);
}

std::string CgiResponse::Header() const {
  const auto end = output.find(kHeaderEnd);
  return end == std::string::npos ? output : output.substr(0, end + 2);
}

CgiResponse RunCgi(const std::string& program, const std::string& directory,
                   const CgiRequest& request) {
  signal(SIGPIPE, SIG_IGN);
  int input[2], output[2];
  // Close-on-exec, so that programs started at the same time from other threads do not
  // hold this request's pipes open.
  if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe failed");
  }
  const std::string argv0 = directory + "/tvqconf.cgi";
  const std::string& executable = ProgramFor(program, request);
  const std::vector<std::string> environment = BuildEnvironment(request);

  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork failed");
  if (child == 0) {
    dup2(input[0], STDIN_FILENO);
    dup2(output[1], STDOUT_FILENO);
    close(input[0]); close(input[1]); close(output[0]); close(output[1]);
    // A web server starts CGI programs in their own directory; start elsewhere
    // so the program has to find its directory from argv[0].
    if (chdir("/") != 0) _exit(125);
    if (request.unprivileged) DropPrivileges();
    if (request.fileSizeLimit) LimitFileSize(*request.fileSizeLimit);
    // A program that hangs (on a pipe, say) fails its test instead of stopping the suite.
    alarm(kRunSeconds);
    std::vector<char*> argv{const_cast<char*>(argv0.c_str()), nullptr};
    std::vector<char*> envp;
    for (const std::string& entry : environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    execve(executable.c_str(), argv.data(), envp.data());
    _exit(127);
  }
  close(input[0]);
  close(output[1]);
  if (request.body) WriteAll(input[1], *request.body);
  close(input[1]);
  CgiResponse response;
  response.output = ReadAll(output[0]);
  close(output[0]);
  int status = 0;
  waitpid(child, &status, 0);
  response.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return response;
}

std::string CgiProgramPath() { return TVQCONF_CGI_PATH; }

std::string DynamicCgiProgramPath() { return TVQCONF_DYNAMIC_CGI_PATH; }

std::string FsyncSeamPath() { return TVQ_FSYNC_SEAM_PATH; }
