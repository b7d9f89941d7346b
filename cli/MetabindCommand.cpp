// brindle-cli metabind FILE KEY...: the MetaBind with its keys filled in, as the MetaBind window
// would insert it. KEY n fills "<<n>>".
#include <algorithm>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "binds/logic/KeyNames.h"
#include "binds/logic/Metabind.h"
#include "cli/Commands.h"
#include "core/Cp1251.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace brindle::cli {
namespace {

constexpr const char* kName = "brindle-cli metabind";

// The key as the key lists write it; letter case does not matter in what is given.
std::optional<std::string_view> keyName(std::string_view given) {
  const auto* it = std::find_if(binds::kKeyNames.begin(), binds::kKeyNames.end(),
                                [&](std::string_view k) { return core::equalsNoCase(k, given); });
  if (it == binds::kKeyNames.end()) return std::nullopt;
  return *it;
}

}  // namespace

int metabind(const std::vector<std::string>& args) {
  if (args.empty()) {
    std::fprintf(stderr, "%s: укажите файл MetaBind и клавиши (metabind FILE KEY...)\n", kName);
    return 2;
  }
  const std::string& path = args[0];
  core::ReadResult file = core::readFile(path, core::kMaxDocumentBytes);
  if (!file.ok) {
    std::fprintf(stderr, "%s: %s\n", kName, file.error.c_str());
    return 1;
  }
  // The text as the MetaBind window reads it: line breaks made CR LF, then the trailer.
  if (!core::breaksAreCrLf(file.data)) file.data = core::normalizeBreaks(file.data);
  const std::string& text = file.data;
  if (!binds::isListedName(binds::metabindName(text))) {
    std::fprintf(stderr,
                 "%s: %s: это не MetaBind (нет раздела [MetaBind] с ключом name=), "
                 "в списке MetaBinds он не появится\n",
                 kName, path.c_str());
    return 1;
  }
  std::string script = binds::cutTrailer(text);
  const int slots = binds::metabindSlotCount(text, script);
  file.data = std::string();  // the script is all that is needed from here on

  const auto given = static_cast<int>(args.size() - 1);
  if (given < slots) {
    std::fprintf(stderr, "%s: %s: нужно клавиш: %d, указано: %d\n", kName, path.c_str(), slots,
                 given);
    return 2;
  }
  std::vector<std::string> keys;
  for (int n = 1; n <= given; ++n) {
    const std::string& arg = args[static_cast<std::size_t>(n)];
    const auto key = keyName(core::fromUtf8(arg));
    if (!key) {
      std::fprintf(stderr, "%s: \"%s\" не название клавиши; список: brindle-cli metabind --help\n",
                   kName, arg.c_str());
      return 2;
    }
    if (n <= slots) keys.emplace_back(*key);
  }
  if (given > slots)
    std::fprintf(stderr, "%s: %s: клавиш в MetaBind %d, лишние не использованы\n", kName,
                 path.c_str(), slots);

  const std::string out = core::toUtf8(binds::fillPlaceholders(std::move(script), keys));
  if (std::fwrite(out.data(), 1, out.size(), stdout) != out.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "%s: ошибка записи в стандартный вывод\n", kName);
    return 1;
  }
  return 0;
}

}  // namespace brindle::cli
