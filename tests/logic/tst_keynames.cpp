#include <gtest/gtest.h>

#include <set>

#include "binds/logic/KeyNames.h"

using namespace brindle;
using namespace brindle::binds;

namespace brindle {
namespace {

TEST(KeyNames, ListHasAllKeysInOrder) {
  ASSERT_EQ(kKeyNames.size(), 102u);
  EXPECT_EQ(kKeyNames.front(), "SHIFT");
  EXPECT_EQ(kKeyNames.back(), "KP_SLASH");
  // Positions counted from 1, as the key lists show them.
  EXPECT_EQ(kKeyNames[60 - 1], std::string_view("\x60"));  // grave accent
  EXPECT_EQ(kKeyNames[62 - 1], std::string_view("\x5c"));  // backslash
  EXPECT_EQ(kKeyNames[66 - 1], std::string_view("\x27"));  // apostrophe
  // Group boundaries.
  EXPECT_EQ(kKeyNames[21 - 1], "1");
  EXPECT_EQ(kKeyNames[31 - 1], "a");
  EXPECT_EQ(kKeyNames[70 - 1], "F1");
  EXPECT_EQ(kKeyNames[82 - 1], "MOUSE1");
  EXPECT_EQ(kKeyNames[98 - 1], "*");
}

TEST(KeyNames, EveryNameIsFilledAndUnique) {
  std::set<std::string_view> seen;
  for (const auto name : kKeyNames) {
    EXPECT_FALSE(name.empty());
    EXPECT_TRUE(seen.insert(name).second) << name;
    // Letters are written lower case, named keys upper case: a name is never of mixed case.
    bool lower = false;
    bool upper = false;
    for (const char c : name) {
      lower = lower || (c >= 'a' && c <= 'z');
      upper = upper || (c >= 'A' && c <= 'Z');
    }
    EXPECT_FALSE(lower && upper) << name;
    if (lower) {
      EXPECT_EQ(name.size(), 1u) << name;
    }
  }
}

}  // namespace
}  // namespace brindle
