#include "support/GoldenBuy.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/Cp1251.h"

namespace brindle::test {

std::string goldenBuyRoot() { return std::string(BRINDLE_SOURCE_DIR) + "/tests/wizard/golden_buy"; }

namespace {

std::string readAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

template <std::size_t N>
bool pick(const std::array<wizard::BuyItem, N>& items, const std::string& text, std::size_t& out,
          bool countFromOne = false) {
  const auto f = wizard::findBuyItem(items, text, countFromOne);
  if (!f) return false;
  out = *f;
  return true;
}

void interpret(GoldenBuyCase& c) {
  for (const auto& [name, value] : c.values) {
    bool ok = true;
    if (name == "key") {
      c.key = value;
    } else if (name == "mode") {
      c.mode = value == "1.5" ? wizard::GameVersion::Cs15 : wizard::GameVersion::Cs16;
    } else if (name == "primary") {
      ok = pick(wizard::kPrimaryWeapons, value, c.choice.primary);
    } else if (name == "pistol") {
      ok = pick(wizard::kPistols, value, c.choice.pistol);
    } else if (name == "ammo") {
      ok = pick(wizard::kAmmunition, value, c.choice.ammo);
    } else if (name == "radio") {
      ok = pick(wizard::kRadioPhrases, value, c.choice.radio);
    } else if (name == "equip") {
      std::stringstream items(value);
      std::string item;
      while (ok && std::getline(items, item, ',')) {
        std::size_t i = 0;
        ok = pick(wizard::kEquipment, item, i, true);
        if (ok) c.choice.equipment[i] = true;
      }
    } else if (name == "team" || name == "all") {
      c.choice.audience = name == "team" ? wizard::Audience::Team : wizard::Audience::All;
      c.choice.message = core::fromUtf8(value);
    }
    if (!ok) c.error += name + "=" + value + " is no item; ";
  }
}

}  // namespace

std::vector<GoldenBuyCase> loadGoldenBuyCases() {
  std::vector<GoldenBuyCase> cases;
  for (const auto& entry : std::filesystem::directory_iterator(goldenBuyRoot())) {
    if (!entry.is_directory()) continue;
    GoldenBuyCase c;
    c.name = entry.path().filename().string();
    c.dir = entry.path().string();
    std::istringstream lines(readAll(entry.path() / "choice.ini"));
    std::string line;
    while (std::getline(lines, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const auto eq = line.find('=');
      if (eq != std::string::npos) c.values[line.substr(0, eq)] = line.substr(eq + 1);
    }
    interpret(c);
    cases.push_back(std::move(c));
  }
  std::sort(cases.begin(), cases.end(),
            [](const GoldenBuyCase& a, const GoldenBuyCase& b) { return a.name < b.name; });
  return cases;
}

}  // namespace brindle::test
