#pragma once
// A fresh directory in the system's temporary folder, removed with everything in it when the
// object goes.
#include <string>
#include <string_view>

namespace brindle::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path() + "/" + name
  std::string file(std::string_view name) const;
  // Writes raw bytes to path()/name, creating folders on the way; returns the full path.
  std::string write(std::string_view name, std::string_view bytes) const;
  std::string read(std::string_view name) const;

 private:
  std::string path_;
};

}  // namespace brindle::test
