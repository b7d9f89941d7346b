#include "core/FileIO.h"

#include <optional>

#include "core/PlatformFiles.h"
#include "core/Text.h"

namespace brindle::core {
namespace {

namespace fs = std::filesystem;

struct InjectedFault {
  FileOperation operation;
  std::string path;
  std::errc error;
};
std::optional<InjectedFault> injectedFault;

OverwriteHook& overwriteHook() {
  static OverwriteHook hook;
  return hook;
}

// Hands an existing regular file to the overwrite hook before it is replaced.
WriteResult beforeOverwrite(const fs::path& target, std::optional<std::string_view> incoming) {
  std::error_code ec;
  if (!overwriteHook() || !fs::is_regular_file(target, ec)) return WriteResult{true, {}};
  return overwriteHook()(utf8Of(target), incoming);
}

// The error a test has arranged for this operation on this path, if any.
std::error_code faultFor(FileOperation operation, const std::string& path) {
  if (!injectedFault || injectedFault->operation != operation || injectedFault->path != path)
    return {};
  return std::make_error_code(injectedFault->error);
}

std::string failure(std::string_view what, const std::string& path, std::error_code error) {
  return std::string(what) + " \"" + path + "\": " + systemErrorText(error);
}

std::string sizeText(std::uintmax_t bytes) {
  if (bytes >= 1024 * 1024) return std::to_string(bytes / (1024 * 1024)) + " МБ";
  if (bytes >= 1024) return std::to_string(bytes / 1024) + " КБ";
  return std::to_string(bytes) + " байт";
}

std::string tooLarge(const std::string& path, std::uintmax_t size, std::uintmax_t maxBytes) {
  return "Файл \"" + path + "\" слишком велик (" + sizeText(size) + "); читаются файлы до " +
         sizeText(maxBytes) + ".";
}

}  // namespace

fs::path pathFromUtf8(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8Of(const fs::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}

std::string systemErrorText(std::error_code error) {
  // The errors users meet most, in the program's language; the system's own text (which may
  // be English) for the rest.
  static const struct {
    std::errc condition;
    const char* text;
  } kTexts[] = {
      {std::errc::no_such_file_or_directory, "нет такого файла или папки"},
      {std::errc::permission_denied, "доступ запрещён"},
      {std::errc::operation_not_permitted, "доступ запрещён"},
      {std::errc::is_a_directory, "это папка, а не файл"},
      {std::errc::not_a_directory, "часть пути не является папкой"},
      {std::errc::no_space_on_device, "на диске нет места"},
      {std::errc::read_only_file_system, "диск доступен только для чтения"},
      {std::errc::file_too_large, "файл слишком велик"},
      {std::errc::filename_too_long, "слишком длинное имя файла"},
      {std::errc::io_error, "ошибка ввода-вывода"},
  };
  for (const auto& t : kTexts)
    if (error == t.condition) return t.text;
  return error.message();
}

ReadResult readFile(const std::string& path, std::uintmax_t maxBytes) {
  ReadResult r;
  if (const auto fault = faultFor(FileOperation::Read, path)) {
    r.error = failure("Не удаётся открыть файл", path, fault);
    return r;
  }
  platform::InputFile in = platform::openForReading(pathFromUtf8(path));
  if (in.notRegular) {
    r.error = "Не удаётся открыть файл \"" + path + "\": это не обычный файл";
    return r;
  }
  if (in.error) {
    r.error = failure("Не удаётся открыть файл", path, in.error);
    return r;
  }
  if (in.size > maxBytes) {
    std::fclose(in.file);
    r.error = tooLarge(path, in.size, maxBytes);
    return r;
  }
  // Read straight into the string at its known size; a file that grows meanwhile is read on
  // in pieces, still within the limit.
  r.data.resize(static_cast<std::size_t>(in.size));
  std::size_t have = std::fread(r.data.data(), 1, r.data.size(), in.file);
  r.data.resize(have);
  char buf[1 << 16];
  while (!std::ferror(in.file) && !std::feof(in.file)) {
    const std::size_t n = std::fread(buf, 1, sizeof buf, in.file);
    if (n == 0) continue;
    if (have + n > maxBytes) {
      std::fclose(in.file);
      r.data = {};
      r.error = tooLarge(path, have + n, maxBytes);
      return r;
    }
    r.data.append(buf, n);
    have += n;
  }
  const bool failed = std::ferror(in.file) != 0;
  std::fclose(in.file);
  if (failed) {
    r.data = {};
    r.error = failure("Ошибка чтения файла", path, std::make_error_code(std::errc::io_error));
    return r;
  }
  r.ok = true;
  return r;
}

void setOverwriteHook(OverwriteHook hook) { overwriteHook() = std::move(hook); }

WriteResult writeFileAtomic(const std::string& path, std::string_view data, Backup backup) {
  WriteResult r;
  fs::path target = pathFromUtf8(path);
  std::error_code ec;
  // A link is followed: the file it points to is replaced, and the link stays a link.
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = std::move(resolved);
  }
  if (fs::is_directory(target, ec)) {
    r.error =
        failure("Не удаётся создать файл", path, std::make_error_code(std::errc::is_a_directory));
    return r;
  }
  platform::ReplacementFile file;
  if (const auto err = file.create(target)) {
    r.error = failure("Не удаётся создать файл", path, err);
    return r;
  }
  if (const auto err = file.write(data)) {
    r.error = failure("Ошибка записи файла", path, err);
    return r;
  }
  if (const auto fault = faultFor(FileOperation::Replace, path)) {
    r.error = failure("Не удаётся создать файл", path, fault);
    return r;
  }
  // The previous version is kept only once the new one is complete, so a write that fails
  // leaves no backup of a file that did not change.
  if (backup == Backup::Keep) {
    const WriteResult kept = beforeOverwrite(target, data);
    if (!kept.ok) return kept;
  }
  if (const auto err = file.commit()) {
    r.error = failure("Не удаётся создать файл", path, err);
    return r;
  }
  r.ok = true;
  return r;
}

WriteResult writeLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
  return writeFileAtomic(path, joinLines(lines));
}

bool fileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(pathFromUtf8(path), ec);
}

bool directoryExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(pathFromUtf8(path), ec);
}

bool pathExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(pathFromUtf8(path), ec));
}

WriteResult createEmptyFile(const std::string& path) {
  WriteResult r;
  if (const auto err = platform::createNewFile(pathFromUtf8(path))) {
    r.error = failure("Не удаётся создать файл", path, err);
    return r;
  }
  r.ok = true;
  return r;
}

bool removeFile(const std::string& path) {
  std::error_code ec;
  const fs::path p = pathFromUtf8(path);
  return !fs::is_directory(fs::symlink_status(p, ec)) && fs::remove(p, ec);
}

WriteResult renameFile(const std::string& from, const std::string& to) {
  WriteResult r;
  if (pathExists(from)) {
    const WriteResult kept = beforeOverwrite(pathFromUtf8(to), std::nullopt);
    if (!kept.ok) return kept;
  }
  if (const auto err = platform::replaceFile(pathFromUtf8(from), pathFromUtf8(to))) {
    r.error = failure("Не удаётся переименовать файл", from, err);
    return r;
  }
  r.ok = true;
  return r;
}

WriteResult copyFile(const std::string& from, const std::string& to) {
  const ReadResult in = readFile(from);
  if (!in.ok) return WriteResult{false, in.error};
  return writeFileAtomic(to, in.data);
}

FileFault::FileFault(FileOperation operation, std::string path, std::errc error) {
  injectedFault = InjectedFault{operation, std::move(path), error};
}

FileFault::~FileFault() { injectedFault.reset(); }

}  // namespace brindle::core
