#pragma once
// File access for the whole program. Paths and error texts are UTF-8; contents are raw bytes.
// Every write goes to a temporary file beside the target and is renamed over it only when
// complete, so a failed or interrupted write leaves the previous file whole.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace brindle::core {

struct ReadResult {
  bool ok = false;
  std::string data;
  std::string error;  // the system's text for the failure, with the path
};

struct WriteResult {
  bool ok = false;
  std::string error;
};

// Largest file the editor opens; bigger files are refused with a message rather than
// freezing the program while a text control digests them.
inline constexpr std::uintmax_t kMaxDocumentBytes = 32u * 1024u * 1024u;

// Paths are UTF-8 strings everywhere in the program; these convert at the file system.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8Of(const std::filesystem::path& path);

// The text for a system error as the user sees it in messages: Russian for the common ones
// (no such file, access denied, a folder, disk full, read-only, too large, name too long).
std::string systemErrorText(std::error_code error);

// Reads a whole regular file. Every file is read with a size limit, the editor's unless a
// caller knows better; a larger file is refused with a message that gives both sizes.
ReadResult readFile(const std::string& path, std::uintmax_t maxBytes = kMaxDocumentBytes);

// Whether a write that replaces an existing file first hands that file to the overwrite hook
// (which keeps a backup of it). The user's files do; the program's own settings file and the
// backups themselves do not.
enum class Backup { Keep, Skip };

WriteResult writeFileAtomic(const std::string& path, std::string_view data,
                            Backup backup = Backup::Keep);
// Writes the lines, each followed by CR LF.
WriteResult writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines);

// Runs before a write or a rename replaces an existing regular file: `target` is that file
// (a link already followed) and `incoming` the content that will take its place, or nothing
// when a rename puts another file there. A failure stops the write and leaves the file as it
// was, with the hook's error as the write's error. One hook for the whole program, set once at
// start (BackupStore); none is set by default.
using OverwriteHook =
    std::function<WriteResult(const std::string& target, std::optional<std::string_view> incoming)>;
void setOverwriteHook(OverwriteHook hook);

bool fileExists(const std::string& path);  // a regular file (or a link to one)
bool directoryExists(const std::string& path);
bool pathExists(const std::string& path);  // anything at all
// Creates an empty file; fails when something of that name already exists.
WriteResult createEmptyFile(const std::string& path);
bool removeFile(const std::string& path);
// Renames, replacing the target if it exists.
WriteResult renameFile(const std::string& from, const std::string& to);
// Copies with replacement of an existing target; atomic on the target side.
WriteResult copyFile(const std::string& from, const std::string& to);

// A fault for tests: while the object lives, the named operation on exactly `path` fails with
// `error`, as if the system had refused it. It reaches failures that permissions cannot produce
// when the tests run as root. One fault at a time; the file functions check it once per call.
enum class FileOperation {
  Read,     // opening the file in readFile()
  Replace,  // putting the finished temporary file in the target's place in writeFileAtomic()
};

class FileFault {
 public:
  FileFault(FileOperation operation, std::string path, std::errc error);
  ~FileFault();
  FileFault(const FileFault&) = delete;
  FileFault& operator=(const FileFault&) = delete;
};

}  // namespace brindle::core
