// The VDF reader: a document it reads, written back with Steam's escapes, reads as the same
// tree; the tree never holds more entries than the text has bytes.
#include "game/logic/Vdf.h"
#include "tests/fuzz/FuzzSupport.h"

using namespace brindle;

namespace {

void quote(std::string& out, const std::string& s) {
  out += '"';
  for (const char c : s) {
    if (c == '\\' || c == '"') out += '\\';
    out += c;
  }
  out += '"';
}

void write(std::string& out, const std::vector<game::VdfNode>& nodes) {
  for (const game::VdfNode& node : nodes) {
    quote(out, node.key);
    if (node.block) {
      out += "\n{\n";
      write(out, node.children);
      out += "}\n";
    } else {
      out += '\t';
      quote(out, node.value);
      out += '\n';
    }
  }
}

std::size_t count(const std::vector<game::VdfNode>& nodes) {
  std::size_t n = nodes.size();
  for (const game::VdfNode& node : nodes) {
    FUZZ_REQUIRE(node.block || node.children.empty());
    n += count(node.children);
  }
  return n;
}

bool same(const std::vector<game::VdfNode>& a, const std::vector<game::VdfNode>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].key != b[i].key || a[i].value != b[i].value || a[i].block != b[i].block ||
        !same(a[i].children, b[i].children))
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const game::VdfDocument doc = game::parseVdf(fuzz::asText(data, size));
  FUZZ_REQUIRE(doc.ok == doc.error.empty());
  if (!doc.ok) return 0;
  FUZZ_REQUIRE(count(doc.entries) <= size);
  for (const std::string& path : game::steamLibraryPaths(doc)) FUZZ_REQUIRE(!path.empty());

  std::string text;
  write(text, doc.entries);
  const game::VdfDocument again = game::parseVdf(text);
  FUZZ_REQUIRE(again.ok);
  FUZZ_REQUIRE(same(doc.entries, again.entries));
  FUZZ_REQUIRE(game::steamLibraryPaths(again) == game::steamLibraryPaths(doc));
  return 0;
}
