// brindle-cli metabind FILE KEY...: the MetaBind with its keys filled in, as the MetaBind window
// would insert it. KEY n fills "<<n>>".
#include <cstdio>

#include "cli/Commands.h"
#include "core/Cp1251.h"
#include "binds/logic/Metabind.h"

namespace brindle::cli {

int metabind(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fputs("brindle-cli metabind: укажите файл MetaBind и клавиши (metabind FILE KEY...)\n",
               stderr);
    return 2;
  }
  const binds::Metabind m = binds::loadMetabind(args[0]);
  if (!m.ok) {
    std::fprintf(stderr, "brindle-cli metabind: %s\n", m.error.c_str());
    return 1;
  }
  const auto given = static_cast<int>(args.size() - 1);
  if (given < m.slots) {
    std::fprintf(stderr, "brindle-cli metabind: %s: нужно клавиш: %d, указано: %d\n",
                 args[0].c_str(), m.slots, given);
    return 2;
  }
  if (given > m.slots)
    std::fprintf(stderr, "brindle-cli metabind: %s: клавиш в MetaBind %d, лишние не использованы\n",
                 args[0].c_str(), m.slots);

  std::vector<std::string> keys;
  for (int n = 1; n <= m.slots; ++n)
    keys.push_back(core::fromUtf8(args[static_cast<std::size_t>(n)]));
  const std::string out = core::toUtf8(binds::fillPlaceholders(m.script, keys));
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::perror("brindle-cli metabind: запись в стандартный вывод");
    return 1;
  }
  return 0;
}

}  // namespace brindle::cli
