#pragma once
// The few file operations that differ between POSIX systems and Windows, behind one interface
// for FileIO.cpp: opening a file for reading without being stalled by a pipe or a device, and
// the temporary file that takes a target's place in one step. PlatformFilesPosix.cpp and
// PlatformFilesWindows.cpp implement it; core/CMakeLists.txt compiles the one for the target.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace brindle::core::platform {

struct InputFile {
  std::FILE* file = nullptr;  // open for binary reading when `error` is clear
  std::error_code error;
  bool notRegular = false;  // a pipe, a device or the like: refused, nothing was waited for
  std::uintmax_t size = 0;
};
// A folder gives std::errc::is_a_directory.
InputFile openForReading(const std::filesystem::path& path);

// A new file beside `target` that replaces it once complete. Until commit() succeeds the
// target is untouched; an uncommitted temporary file is removed by the destructor.
class ReplacementFile {
 public:
  ReplacementFile() = default;
  ~ReplacementFile();
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Refuses a target that may not be written (a read-only file), else creates the temporary
  // file in the target's folder, with the permissions of the file it will replace.
  std::error_code create(const std::filesystem::path& target);
  std::error_code write(std::string_view data);
  // Writes the data through to the disk, closes the file and renames it over the target.
  std::error_code commit();
  // Closes and removes the temporary file.
  void discard();

 private:
  std::filesystem::path target_;
  std::filesystem::path temp_;
  std::intptr_t handle_ = -1;  // a file descriptor, or a Windows HANDLE
};

// Creates an empty file; fails with std::errc::file_exists when anything of that name exists.
std::error_code createNewFile(const std::filesystem::path& path);

// Renames `from` to `to` in one step, replacing a file that `to` names.
std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace brindle::core::platform
