#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>
#include <string>

#include "core/PlatformFiles.h"

namespace brindle::core::platform {
namespace {

// The system's error as a portable condition where one fits, so that FileIO's messages and
// callers' checks work as on other systems.
std::error_code fromWindows(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
      return std::make_error_code(std::errc::no_such_file_or_directory);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return std::make_error_code(std::errc::permission_denied);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return std::make_error_code(std::errc::no_space_on_device);
    case ERROR_WRITE_PROTECT:
      return std::make_error_code(std::errc::read_only_file_system);
    case ERROR_FILENAME_EXCED_RANGE:
      return std::make_error_code(std::errc::filename_too_long);
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return std::make_error_code(std::errc::file_exists);
    case ERROR_FILE_TOO_LARGE:
      return std::make_error_code(std::errc::file_too_large);
    default:
      return {static_cast<int>(error), std::system_category()};
  }
}

std::error_code lastError() { return fromWindows(::GetLastError()); }

HANDLE asHandle(std::intptr_t h) { return reinterpret_cast<HANDLE>(h); }

}  // namespace

InputFile openForReading(const std::filesystem::path& path) {
  InputFile in;
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) {
    in.error = std::make_error_code(std::errc::is_a_directory);
    return in;
  }
  const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    in.error = lastError();
    return in;
  }
  LARGE_INTEGER size{};
  if (::GetFileType(h) != FILE_TYPE_DISK) {
    in.error = std::make_error_code(std::errc::invalid_argument);
    in.notRegular = true;
  } else if (!::GetFileSizeEx(h, &size)) {
    in.error = lastError();
  }
  if (in.error) {
    ::CloseHandle(h);
    return in;
  }
  in.size = static_cast<std::uintmax_t>(size.QuadPart);
  const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(h), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    in.error = std::make_error_code(std::errc::too_many_files_open);
    ::CloseHandle(h);
    return in;
  }
  in.file = ::_fdopen(fd, "rb");
  if (in.file == nullptr) {
    in.error = std::error_code(errno, std::generic_category());
    ::_close(fd);
  }
  return in;
}

ReplacementFile::~ReplacementFile() { discard(); }

std::error_code ReplacementFile::create(const std::filesystem::path& target) {
  target_ = target;
  const DWORD attributes = ::GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return std::make_error_code(std::errc::permission_denied);
  std::random_device rd;
  const std::filesystem::path dir = target.parent_path().empty() ? L"." : target.parent_path();
  // The temporary name must stay within the 255 characters of a name, and within the 255 bytes
  // of one in UTF-8 where Wine keeps the files on a Linux file system: a long name is cut.
  std::wstring base = target.filename().wstring();
  if (base.size() > 60) {
    base.resize(60);
    if (base.back() >= 0xD800 && base.back() <= 0xDBFF) base.pop_back();  // half a pair
  }
  for (int attempt = 0; attempt < 16; ++attempt) {
    temp_ = dir / (L"." + base + L".tmp" + std::to_wstring(rd() % 1000000));
    const HANDLE h = ::CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      handle_ = reinterpret_cast<std::intptr_t>(h);
      return {};
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      temp_.clear();
      return fromWindows(error);
    }
  }
  temp_.clear();
  return std::make_error_code(std::errc::file_exists);
}

std::error_code ReplacementFile::write(std::string_view data) {
  const char* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(asHandle(handle_), p, chunk, &written, nullptr)) return lastError();
    p += written;
    left -= written;
  }
  return {};
}

std::error_code ReplacementFile::commit() {
  const HANDLE h = asHandle(handle_);
  handle_ = -1;
  if (!::FlushFileBuffers(h)) {
    const std::error_code err = lastError();
    ::CloseHandle(h);
    return err;
  }
  if (!::CloseHandle(h)) return lastError();
  if (auto err = replaceFile(temp_, target_)) return err;
  temp_.clear();
  return {};
}

void ReplacementFile::discard() {
  if (handle_ != -1) ::CloseHandle(asHandle(handle_));
  handle_ = -1;
  if (!temp_.empty()) ::DeleteFileW(temp_.c_str());
  temp_.clear();
}

std::error_code createNewFile(const std::filesystem::path& path) {
  const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return lastError();
  ::CloseHandle(h);
  return {};
}

std::error_code replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return lastError();
  return {};
}

}  // namespace brindle::core::platform
