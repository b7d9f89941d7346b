#include "core/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <random>

#include "core/Text.h"

namespace brindle::core {
namespace {

struct InjectedFault {
  FileOperation operation;
  std::string path;
  int error;
};
std::optional<InjectedFault> injectedFault;

// The error a test has arranged for this operation on this path, or 0.
int faultFor(FileOperation operation, const std::string& path) {
  if (!injectedFault || injectedFault->operation != operation || injectedFault->path != path)
    return 0;
  return injectedFault->error;
}

std::string systemError(int err) { return std::strerror(err); }

std::string failure(std::string_view what, const std::string& path, int err) {
  return std::string(what) + " \"" + path + "\": " + systemError(err);
}

std::string directoryOf(const std::string& path) {
  const auto pos = path.find_last_of('/');
  if (pos == std::string::npos) return ".";
  if (pos == 0) return "/";
  return path.substr(0, pos);
}

bool writeAll(int fd, std::string_view data) {
  const char* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ReadResult readFile(const std::string& path, std::uintmax_t maxBytes) {
  ReadResult r;
  // Non-blocking, so that a named pipe cannot stall the program before it is refused below.
  if (const int err = faultFor(FileOperation::Read, path)) {
    r.error = failure("Не удаётся открыть файл", path, err);
    return r;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    r.error = failure("Не удаётся открыть файл", path, errno);
    return r;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    r.error = failure("Не удаётся открыть файл", path, errno);
    ::close(fd);
    return r;
  }
  if (S_ISDIR(st.st_mode)) {
    r.error = failure("Не удаётся открыть файл", path, EISDIR);
    ::close(fd);
    return r;
  }
  if (!S_ISREG(st.st_mode)) {
    r.error = "Не удаётся открыть файл \"" + path + "\": это не обычный файл";
    ::close(fd);
    return r;
  }
  if (static_cast<std::uintmax_t>(st.st_size) > maxBytes) {
    r.error = "Файл \"" + path + "\" слишком велик (" +
              std::to_string(static_cast<std::uintmax_t>(st.st_size) / (1024 * 1024)) +
              " МБ); открываются файлы до " + std::to_string(maxBytes / (1024 * 1024)) + " МБ.";
    ::close(fd);
    return r;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  r.data.reserve(static_cast<std::size_t>(st.st_size));
  char buf[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      r.error = failure("Ошибка чтения файла", path, errno);
      r.data.clear();
      ::close(fd);
      return r;
    }
    if (n == 0) break;
    r.data.append(buf, static_cast<std::size_t>(n));
    if (r.data.size() > maxBytes) {
      r.error = "Файл \"" + path + "\" слишком велик.";
      r.data.clear();
      ::close(fd);
      return r;
    }
  }
  ::close(fd);
  r.ok = true;
  return r;
}

WriteResult writeFileAtomic(const std::string& requestedPath, std::string_view data) {
  WriteResult r;
  // A link is followed: the file it points to is replaced, and the link stays a link.
  std::string path = requestedPath;
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    char* resolved = ::realpath(path.c_str(), nullptr);
    if (resolved) {
      path = resolved;
      std::free(resolved);
    }
  }
  if (directoryExists(path)) {
    r.error = failure("Не удаётся создать файл", path, EISDIR);
    return r;
  }
  // Keep the permissions of a file that is being replaced.
  mode_t mode = 0666;
  struct stat old {};
  const bool existed = ::stat(path.c_str(), &old) == 0;
  if (existed) {
    mode = old.st_mode & 07777;
    if (::access(path.c_str(), W_OK) != 0) {
      r.error = failure("Не удаётся создать файл", path, errno);
      return r;
    }
  }
  std::random_device rd;
  std::string tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    tmp = directoryOf(path) + "/." + baseName(path) + ".tmp" + std::to_string(rd() % 1000000);
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, existed ? mode : 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    r.error = failure("Не удаётся создать файл", path, errno);
    return r;
  }
  if (existed) ::fchmod(fd, mode);
  if (!writeAll(fd, data) || ::fsync(fd) != 0) {
    const int err = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    r.error = failure("Ошибка записи файла", path, err);
    return r;
  }
  if (::close(fd) != 0) {
    const int err = errno;
    ::unlink(tmp.c_str());
    r.error = failure("Ошибка записи файла", path, err);
    return r;
  }
  const int fault = faultFor(FileOperation::Replace, requestedPath);
  if (fault != 0 || ::rename(tmp.c_str(), path.c_str()) != 0) {
    const int err = fault != 0 ? fault : errno;
    ::unlink(tmp.c_str());
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
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool directoryExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool pathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

WriteResult createEmptyFile(const std::string& path) {
  WriteResult r;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    r.error = failure("Не удаётся создать файл", path, errno);
    return r;
  }
  ::close(fd);
  r.ok = true;
  return r;
}

bool removeFile(const std::string& path) { return ::unlink(path.c_str()) == 0; }

WriteResult renameFile(const std::string& from, const std::string& to) {
  WriteResult r;
  if (::rename(from.c_str(), to.c_str()) != 0) {
    r.error = failure("Не удаётся переименовать файл", from, errno);
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
  injectedFault = InjectedFault{operation, std::move(path), static_cast<int>(error)};
}

FileFault::~FileFault() { injectedFault.reset(); }

}  // namespace brindle::core
