#pragma once
// Golden cases of the buy-script generator: tests/wizard/golden_buy/<case>/choice.ini holds the
// choice (UTF-8, one "name=value" a line), expected.cfg the lines that must come out (CP1251,
// CR LF).
//
// choice.ini names: key, mode (1.5 or 1.6), primary, pistol, ammo, radio (each one item as the
// command line accepts it), equip (items separated by commas), team or all (the message).
#include <map>
#include <string>
#include <vector>

#include "wizard/logic/BuyScript.h"

namespace brindle::test {

struct GoldenBuyCase {
  std::string name;  // the folder's name
  std::string dir;   // its full path
  std::map<std::string, std::string> values;
  std::string key;
  wizard::GameVersion mode = wizard::kDefaultGameVersion;
  wizard::BuyChoice choice;
  std::string error;  // a value the tables do not know
};

std::string goldenBuyRoot();
std::vector<GoldenBuyCase> loadGoldenBuyCases();

}  // namespace brindle::test
