#include "core/DataPaths.h"

#include <algorithm>
#include <filesystem>

#include "core/FileIO.h"
#include "core/Text.h"

namespace brindle::core {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> entries(const std::string& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(pathFromUtf8(dir.empty() ? "." : dir), ec), end; !ec && it != end;
       it.increment(ec))
    names.push_back(utf8Of(it->path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

// File names are UTF-8 on disk, so only ASCII letters are folded.
bool asciiEqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (asciiLower(a[i]) != asciiLower(b[i])) return false;
  }
  return true;
}

bool endsWithNoCase(std::string_view s, std::string_view suffix) {
  return s.size() >= suffix.size() && asciiEqualsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

}  // namespace

std::string withSeparator(std::string dir) {
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

bool makeFolders(const std::string& dir) {
  if (dir.empty()) return true;
  std::error_code ec;
  fs::create_directories(pathFromUtf8(dir), ec);
  return directoryExists(dir);
}

std::string folderOf(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string resolveDataPath(const std::string& programDir, std::string_view relative) {
  std::string path = withSeparator(programDir);
  bool matching = true;  // once a component is missing, the rest cannot exist either
  std::size_t pos = 0;
  bool first = true;
  while (pos <= relative.size()) {
    auto next = relative.find_first_of("/\\", pos);
    if (next == std::string_view::npos) next = relative.size();
    const std::string_view part = relative.substr(pos, next - pos);
    pos = next + 1;
    if (part.empty()) continue;
    if (!first) path += '/';
    first = false;
    std::string chosen(part);
    if (matching) {
      const std::string dir = path.empty() ? "." : path;
      const auto names = entries(dir);
      const bool exact = std::find(names.begin(), names.end(), chosen) != names.end();
      if (!exact) {
        const auto it = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
          return asciiEqualsNoCase(n, part);
        });
        if (it != names.end())
          chosen = *it;
        else
          matching = false;
      }
    }
    path += chosen;
  }
  return path;
}

std::vector<std::string> listFiles(const std::string& dir, std::string_view extension) {
  std::vector<std::string> out;
  const std::string base = withSeparator(dir);
  for (const auto& name : entries(dir)) {
    if (!endsWithNoCase(name, extension)) continue;
    if (fileExists(base + name)) out.push_back(name);
  }
  return out;
}

}  // namespace brindle::core
