#include "maps/logic/MapCycle.h"

#include <algorithm>
#include <filesystem>

#include "core/Cp1251.h"
#include "core/DataPaths.h"
#include "core/Text.h"

namespace brindle::maps {
namespace {

bool lessNoCase(const std::string& a, const std::string& b) {
  const auto n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = core::toLower(static_cast<unsigned char>(a[i]));
    const auto y = core::toLower(static_cast<unsigned char>(b[i]));
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;  // names that differ only in case keep a fixed order
}

bool isPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace

std::string mapNameOf(std::string_view fileName) {
  if (fileName.size() <= kMapExtension.size()) return {};
  const auto stem = fileName.size() - kMapExtension.size();
  if (!core::equalsNoCase(fileName.substr(stem), kMapExtension)) return {};
  return std::string(fileName.substr(0, stem));
}

std::vector<std::string> listMaps(const std::string& gameDir) {
  std::vector<std::string> maps;
  for (const std::string& file :
       core::listFiles(core::resolveDataPath(gameDir, "maps"), kMapExtension)) {
    // File names on disk are UTF-8; map names are CP1251 like the cycle file that names them.
    std::string name = core::fromUtf8(mapNameOf(file));
    // A cycle entry is one line of mapcycle.txt: a name with a line break in it would split
    // into two entries there, neither of them this map.
    if (name.empty() || name.find_first_of("\r\n") != std::string::npos) continue;
    maps.push_back(std::move(name));
  }
  std::sort(maps.begin(), maps.end(), lessNoCase);
  maps.erase(std::unique(maps.begin(), maps.end()), maps.end());
  return maps;
}

std::optional<std::string> findMap(const std::vector<std::string>& maps, std::string_view name) {
  if (std::find(maps.begin(), maps.end(), name) != maps.end()) return std::string(name);
  std::optional<std::string> found;
  for (const std::string& m : maps) {
    if (!core::equalsNoCase(m, name)) continue;
    if (found) return std::nullopt;
    found = m;
  }
  return found;
}

std::string mapCyclePath(const std::string& gameDir) {
  return core::withSeparator(gameDir) + std::string(kMapCycleFileName);
}

CycleFile readMapCycle(const std::string& gameDir) {
  CycleFile f;
  const std::string path = mapCyclePath(gameDir);
  if (!core::directoryExists(gameDir)) {
    f.error = "Каталог игры \"" + gameDir + "\" не найден.";
    return f;
  }
  if (!core::pathExists(path)) {
    f.ok = true;
    return f;
  }
  const core::ReadResult r = core::readFile(path, core::kMaxDocumentBytes);
  if (!r.ok) {
    f.error = r.error;
    return f;
  }
  f.ok = true;
  f.exists = true;
  f.entries = core::splitLines(r.data);
  return f;
}

CycleFile openMapCycle(const std::string& gameDir) {
  const std::string path = mapCyclePath(gameDir);
  if (core::directoryExists(gameDir) && !core::pathExists(path)) {
    const core::WriteResult c = core::createEmptyFile(path);
    if (!c.ok) {
      CycleFile f;
      f.error = c.error;
      return f;
    }
  }
  return readMapCycle(gameDir);
}

core::WriteResult saveMapCycle(const std::string& gameDir,
                               const std::vector<std::string>& entries) {
  return core::writeLinesAtomic(mapCyclePath(gameDir), entries);
}

std::optional<std::string> readDescription(const std::string& gameDir, std::string_view map) {
  const std::string file = core::toUtf8(map) + ".txt";
  if (!isPlainFileName(file) || !isPlainFileName(map)) return std::nullopt;
  const std::string path = core::resolveDataPath(gameDir, "maps/" + file);
  const core::ReadResult r = core::readFile(path, kMaxDescriptionBytes);
  if (!r.ok) return std::nullopt;
  return r.data;
}

bool sameDirectory(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(core::pathFromUtf8(a), core::pathFromUtf8(b), ec) && !ec;
}

std::string openFailureMessage(const CycleFile& failed) {
  return "Не удаётся открыть список смены карт " + std::string(kMapCycleFileName) + ".\n\n" +
         failed.error +
         "\n\nПроверьте каталог игры (\"Сменить каталог игры\", Ctrl+K): в нём должен быть "
         "доступный для записи файл " +
         std::string(kMapCycleFileName) + " или право его создать.";
}

std::string_view refusalMessage(Refusal refusal) {
  switch (refusal) {
    case Refusal::None:
      return {};
    case Refusal::NoMapToAdd:
      return "Для добавления, выберите карту из списка всех карт!";
    case Refusal::NoEntryToRemove:
      return "Для удаления, выберите карту из первого списка!";
    case Refusal::NoEntryToMove:
      return "Выберите карту для перемещения!";
  }
  return {};
}

void MapCycle::select(int index) { selected_ = (index >= 0 && index < size()) ? index : -1; }

Refusal MapCycle::add(const std::optional<std::string>& map) {
  if (!map) return Refusal::NoMapToAdd;
  entries_.push_back(*map);
  return Refusal::None;
}

Refusal MapCycle::removeSelected() {
  if (selected_ < 0) return Refusal::NoEntryToRemove;
  entries_.erase(entries_.begin() + selected_);
  selected_ = -1;
  return Refusal::None;
}

Refusal MapCycle::moveSelectedUp() { return move(-1); }
Refusal MapCycle::moveSelectedDown() { return move(+1); }

Refusal MapCycle::move(int step) {
  if (selected_ < 0) return Refusal::NoEntryToMove;
  const int target = selected_ + step;
  if (target < 0 || target >= size()) return Refusal::None;
  std::swap(entries_[static_cast<std::size_t>(selected_)],
            entries_[static_cast<std::size_t>(target)]);
  selected_ = target;
  return Refusal::None;
}

}  // namespace brindle::maps
