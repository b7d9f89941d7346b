#include "wizard/logic/KeyActions.h"

namespace brindle::wizard {

const KeyAction* findKeyAction(std::string_view button) {
  for (const KeyAction& a : kKeyActions)
    if (a.button == button) return &a;
  return nullptr;
}

std::string actionBindLine(std::string_view key, std::string_view command) {
  std::string line = "bind \"";
  line += key;
  line += "\" ";
  line += command;
  return line;
}

std::string boundKeySuffix(std::string_view command) {
  std::string s = "\" ";
  s += command;
  return s;
}

}  // namespace brindle::wizard
