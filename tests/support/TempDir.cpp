#include "support/TempDir.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "core/FileIO.h"

namespace brindle::test {

TempDir::TempDir() {
  const auto base = std::filesystem::temp_directory_path();
  std::random_device rd;
  for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
    const auto candidate = base / ("brindle-test-" + std::to_string(rd()));
    std::error_code ec;
    if (std::filesystem::create_directory(candidate, ec)) path_ = core::utf8Of(candidate);
  }
  if (path_.empty()) throw std::runtime_error("cannot create a temporary directory");
  // One separator throughout, so that paths built from it compare equal to listed ones.
  for (char& c : path_)
    if (c == '\\') c = '/';
}

TempDir::~TempDir() {
  std::error_code ec;
  const auto root = core::pathFromUtf8(path_);
  // Give back any permissions a test took away, so that everything can go.
  for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
       !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
    std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  std::filesystem::permissions(root, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(root, ec);
}

std::string TempDir::file(std::string_view name) const { return path_ + "/" + std::string(name); }

std::string TempDir::write(std::string_view name, std::string_view bytes) const {
  const std::string p = file(name);
  const auto fsPath = core::pathFromUtf8(p);
  std::filesystem::create_directories(fsPath.parent_path());
  std::ofstream out(fsPath, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + p);
  return p;
}

std::string TempDir::read(std::string_view name) const {
  std::ifstream in(core::pathFromUtf8(file(name)), std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace brindle::test
