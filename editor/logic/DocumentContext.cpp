#include "editor/logic/DocumentContext.h"

#include <filesystem>
#include <system_error>

#include "core/ConsoleScript.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"

namespace brindle::editor {

namespace fs = std::filesystem;

namespace {

// The path made absolute with "." and ".." taken away as written: how the user names the file.
fs::path plainAbsolute(const std::string& utf8) {
  const fs::path p = core::pathFromUtf8(utf8);
  std::error_code ec;
  fs::path absolute = fs::absolute(p, ec);
  if (ec) absolute = p;
  absolute = absolute.lexically_normal();
  // "dir/" normalises to "dir/" with an empty last part: the folder itself is meant.
  if (!absolute.has_filename() && absolute.has_parent_path() && absolute != absolute.root_path())
    absolute = absolute.parent_path();
  return absolute;
}

// The path where links lead, when it can be told.
fs::path followed(const fs::path& p) {
  std::error_code ec;
  fs::path real = fs::weakly_canonical(p, ec);
  return ec ? p : real;
}

// The part of `file` below `dir`, or nothing when the file does not lie inside it.
std::optional<fs::path> below(const fs::path& dir, const fs::path& file) {
  const fs::path rel = file.lexically_relative(dir);
  if (rel.empty() || rel == "." || *rel.begin() == "..") return std::nullopt;
  return rel;
}

std::optional<fs::path> partInside(const std::string& dir, const std::string& filePath) {
  if (dir.empty() || filePath.empty()) return std::nullopt;
  const fs::path d = plainAbsolute(dir);
  const fs::path f = plainAbsolute(filePath);
  if (auto rel = below(d, f)) return rel;
  return below(followed(d), followed(f));
}

// Whether a folder is a mod folder by its own look: liblist.gam in it (the engine reads the
// mod's libraries from the game directory's liblist.gam: rehlds/engine/sys_dll.cpp,
// LoadEntityDLLs) or the name cstrike.
bool isModFolder(const fs::path& dir) {
  if (core::sameName(core::utf8Of(dir.filename()), "cstrike")) return true;
  return core::fileExists(core::resolveDataPath(core::utf8Of(dir), "liblist.gam"));
}

// A path as text, in UTF-8 with '/' separators on every system (Windows takes them as well, and
// the paths read alike in messages and tests).
std::string slashed(const fs::path& p) {
  std::string text = core::utf8Of(p);
#ifdef _WIN32
  for (char& c : text)
    if (c == '\\') c = '/';
#endif
  return text;
}

}  // namespace

std::string resolveGameDir(const std::string& dir) {
  if (dir.empty()) return dir;
  const fs::path d = plainAbsolute(dir);
  if (isModFolder(d)) return slashed(d);
  const std::string child = core::resolveDataPath(slashed(d), "cstrike");
  if (core::directoryExists(child)) return slashed(core::pathFromUtf8(child));
  return slashed(d);
}

std::string findGameDir(const std::string& filePath, bool* found) {
  if (found) *found = true;
  const fs::path own = plainAbsolute(filePath).parent_path();
  for (fs::path dir = own; !dir.empty(); dir = dir.parent_path()) {
    if (isModFolder(dir)) return slashed(dir);
    if (dir == dir.parent_path()) break;
  }
  if (found) *found = false;
  return slashed(own);
}

bool isInside(const std::string& dir, const std::string& filePath) {
  return partInside(dir, filePath).has_value();
}

std::string relativeToGame(const std::string& gameDir, const std::string& filePath) {
  const std::optional<fs::path> rel = partInside(gameDir, filePath);
  if (!rel) return core::utf8Of(plainAbsolute(filePath).filename());
  return slashed(*rel);
}

DocumentContext locateDocument(const std::string& path, const ContextRequest& request) {
  DocumentContext c;
  if (path.empty()) return c;
  const std::string chosen = resolveGameDir(request.chosenGameDir);
  if (request.forceChosen && !chosen.empty()) {
    c.gameDir = chosen;
    c.gameDirKnown = true;
  } else {
    c.gameDir = findGameDir(path, &c.gameDirKnown);
    if (!c.gameDirKnown && !chosen.empty() && isInside(chosen, path)) {
      c.gameDir = chosen;
      c.gameDirKnown = true;
    }
  }
  const std::optional<fs::path> rel = partInside(c.gameDir, path);
  c.insideGame = rel.has_value();
  c.relPath = rel ? slashed(*rel) : core::utf8Of(plainAbsolute(path).filename());
  return c;
}

void judgeDocument(DocumentContext& context, std::string_view text,
                   const core::Vocabulary* vocabulary, std::optional<ConfigKind> chosen) {
  context.kindGuessed = !chosen;
  context.kind = chosen ? *chosen : guessConfigKind(context.relPath, text, vocabulary);
}

DocumentContext documentContext(const std::string& path, std::string_view text,
                                const core::Vocabulary* vocabulary, const ContextRequest& request) {
  DocumentContext c = locateDocument(path, request);
  judgeDocument(c, text, vocabulary, request.kind);
  return c;
}

}  // namespace brindle::editor
