#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "core/PlatformFiles.h"

namespace brindle::core::platform {
namespace {

std::error_code lastError() { return {errno, std::generic_category()}; }

}  // namespace

InputFile openForReading(const std::filesystem::path& path) {
  InputFile in;
  // Non-blocking, so that a named pipe cannot stall the program before it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    in.error = lastError();
    return in;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    in.error = lastError();
  } else if (S_ISDIR(st.st_mode)) {
    in.error = std::make_error_code(std::errc::is_a_directory);
  } else if (!S_ISREG(st.st_mode)) {
    in.error = std::make_error_code(std::errc::invalid_argument);
    in.notRegular = true;
  }
  if (in.error) {
    ::close(fd);
    return in;
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  in.size = static_cast<std::uintmax_t>(st.st_size);
  in.file = ::fdopen(fd, "rb");
  if (in.file == nullptr) {
    in.error = lastError();
    ::close(fd);
  }
  return in;
}

ReplacementFile::~ReplacementFile() { discard(); }

std::error_code ReplacementFile::create(const std::filesystem::path& target) {
  target_ = target;
  // Keep the permissions of a file that is being replaced; refuse one the user may not write,
  // which a rename in a writable folder would otherwise replace.
  mode_t mode = 0666;
  struct stat old {};
  const bool existed = ::stat(target.c_str(), &old) == 0;
  if (existed) {
    mode = old.st_mode & 07777;
    if (::access(target.c_str(), W_OK) != 0) return lastError();
  }
  std::random_device rd;
  const std::filesystem::path dir = target.parent_path().empty() ? "." : target.parent_path();
  // The temporary name must stay within the 255 bytes of a name: a long name is cut short.
  std::string base = target.filename().string();
  if (base.size() > 200) base.resize(200);
  for (int attempt = 0; attempt < 16; ++attempt) {
    temp_ = dir / ("." + base + ".tmp" + std::to_string(rd() % 1000000));
    const int fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0) {
      handle_ = fd;
      if (existed) ::fchmod(fd, mode);  // the umask must not narrow them
      return {};
    }
    if (errno != EEXIST) break;
  }
  const std::error_code err = lastError();
  temp_.clear();
  return err;
}

std::error_code ReplacementFile::write(std::string_view data) {
  const char* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    const ssize_t n = ::write(static_cast<int>(handle_), p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return lastError();
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return {};
}

std::error_code ReplacementFile::commit() {
  const int fd = static_cast<int>(handle_);
  handle_ = -1;
  if (::fsync(fd) != 0) {
    const std::error_code err = lastError();
    ::close(fd);
    return err;
  }
  if (::close(fd) != 0) return lastError();
  if (::rename(temp_.c_str(), target_.c_str()) != 0) return lastError();
  temp_.clear();
  return {};
}

void ReplacementFile::discard() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

std::error_code createNewFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return lastError();
  ::close(fd);
  return {};
}

std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return lastError();
  return {};
}

}  // namespace brindle::core::platform
