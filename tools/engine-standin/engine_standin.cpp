// A stand-in for the search engine's CGI program: shows what a search request carried.
//
// It searches nothing. It lists the fields it received, the configuration file
// named by "config" with the key/value lines it reads there, and the entries of
// that configuration's file list, marking those whose files exist. Installed as
// cgi-bin/tovimarq.cgi, its data directory is cgi-bin/tovimarqdata/, where the
// utility writes the files read here.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cgi/url_decode.h"
#include "html/escape.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

constexpr long kMaxBody = 1024 * 1024;
constexpr const char* kDataDirectory = "tovimarqdata";
constexpr const char* kDefaultFileList = "filelist.txt";

struct FileListEntry {
  std::string kind;
  std::string path;
  std::string url;
};

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

// The posted body when there is one, else the query string.
std::string RequestText() {
  const long length = std::atol(EnvironmentValue("CONTENT_LENGTH").c_str());
  if (length <= 0 || length > kMaxBody) return EnvironmentValue("QUERY_STRING");
  std::string body(static_cast<std::size_t>(length), '\0');
  std::cin.read(body.data(), length);
  body.resize(static_cast<std::size_t>(std::cin.gcount()));
  return body;
}

Pairs ParseFields(const std::string& text) {
  Pairs fields;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('&', start);
    if (end == std::string::npos) end = text.size();
    const std::string pair = text.substr(start, end - start);
    const std::size_t equals = pair.find('=');
    if (!pair.empty()) {
      fields.emplace_back(UrlDecode(pair.substr(0, equals)),
                          equals == std::string::npos ? "" : UrlDecode(pair.substr(equals + 1)));
    }
    start = end + 1;
  }
  return fields;
}

std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::optional<std::vector<std::string>> ReadLines(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  if (!file) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

// Every "KEY=value" line of a configuration file, keys in upper case.
Pairs ConfigValues(const std::vector<std::string>& lines) {
  Pairs values;
  for (const std::string& line : lines) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos || equals == 0) continue;
    values.emplace_back(Upper(line.substr(0, equals)), line.substr(equals + 1));
  }
  return values;
}

std::string FileListName(const Pairs& config) {
  std::string name = kDefaultFileList;
  for (const auto& [key, value] : config) {
    if (key == "FILELIST") name = UrlDecode(value);
  }
  return name;
}

// The kind keyword of a key line ("FILE", "DIR" or "TREE"), or empty.
std::string KindOf(const std::string& line) {
  const std::string upper = Upper(line.substr(0, line.find('=')));
  const bool known = upper == "FILE" || upper == "DIR" || upper == "TREE";
  return known && line.size() > upper.size() + 1 ? upper : std::string();
}

bool IsUrlLine(const std::string& line) {
  return line.size() > 4 && Upper(line.substr(0, 4)) == "URL=";
}

// Pairs of a key line directly followed by a URL line; every other line is skipped.
std::vector<FileListEntry> FileListEntries(const std::vector<std::string>& lines) {
  std::vector<FileListEntry> entries;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    const std::string kind = KindOf(lines[i]);
    if (kind.empty() || !IsUrlLine(lines[i + 1])) continue;
    entries.push_back({kind, lines[i].substr(kind.size() + 1), lines[i + 1].substr(4)});
    ++i;
  }
  return entries;
}

bool Exists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

void WriteRow(const std::string& rowClass, const std::vector<std::string>& cells) {
  std::cout << "<tr class=\"" << rowClass << "\">";
  for (const std::string& cell : cells) std::cout << "<td>" << EscapeMarkup(cell) << "</td>";
  std::cout << "</tr>\n";
}

void WriteFields(const Pairs& fields) {
  std::cout << "<h2>Fields received</h2>\n<table id=\"fields\" border=1>\n";
  for (const auto& [name, value] : fields) WriteRow("field", {name, value});
  std::cout << "</table>\n";
}

void WriteConfig(const std::string& name, const Pairs& values) {
  std::cout << "<h2>Configuration file <span id=\"config-name\">" << EscapeMarkup(name)
            << "</span></h2>\n<table id=\"config\" border=1>\n";
  for (const auto& [key, value] : values) WriteRow("value", {key, value});
  std::cout << "</table>\n";
}

void WriteFileList(const std::string& name, const std::vector<FileListEntry>& entries) {
  std::cout << "<h2>File list <span id=\"filelist-name\">" << EscapeMarkup(name)
            << "</span></h2>\n<table id=\"filelist\" border=1>\n";
  for (const FileListEntry& entry : entries) {
    const bool exists = Exists(entry.path);
    WriteRow(exists ? "entry exists" : "entry missing",
             {entry.kind, entry.path, entry.url, exists ? "exists" : "missing"});
  }
  std::cout << "</table>\n";
}

void WriteProblem(const std::string& text) {
  std::cout << "<p class=\"problem\">" << EscapeMarkup(text) << "</p>\n";
}

// The configuration and its file list, read from the engine's data directory.
void WriteConfiguration(const Pairs& fields) {
  std::string configName;
  for (const auto& [name, value] : fields) {
    if (name == "config") configName = value;
  }
  if (configName.empty() || configName.find('\0') != std::string::npos) {
    return WriteProblem("No configuration file was named.");
  }
  const auto configLines = ReadLines(configName);
  if (!configLines) return WriteProblem("Cannot read the configuration file " + configName);
  const Pairs values = ConfigValues(*configLines);
  WriteConfig(configName, values);
  const std::string listName = FileListName(values);
  const auto listLines = ReadLines(listName);
  if (!listLines) return WriteProblem("Cannot read the file list " + listName);
  WriteFileList(listName, FileListEntries(*listLines));
}

// The data directory beside the program, as the engine's own.
void EnterDataDirectory(const std::string& invocationPath) {
  const std::size_t slash = invocationPath.rfind('/');
  const std::string base = slash == std::string::npos ? "." : invocationPath.substr(0, slash);
  [[maybe_unused]] const int ignored = chdir((base + "/" + kDataDirectory).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  EnterDataDirectory(argc > 0 && argv[0] != nullptr ? argv[0] : "");
  const Pairs fields = ParseFields(RequestText());
  std::cout << "Content-type: text/html\n\n"
               "<html><head><title>Tovimarq engine stand-in</title></head>\n<body>\n"
               "<h1>Tovimarq engine stand-in</h1>\n"
               "<p>This program stands in for the search engine: it does not search.</p>\n";
  WriteFields(fields);
  WriteConfiguration(fields);
  std::cout << "</body>\n</html>\n";
  return 0;
}
