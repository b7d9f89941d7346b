#pragma once
// The server's map rotation. The game server plays the maps named in mapcycle.txt of the game
// directory, one per line, in file order. The maps on offer are the .bsp files of the game
// directory's maps folder; beside a map, maps/<map>.txt may describe it.
//
// Map names, cycle entries and descriptions are CP1251 text; directories, paths and messages
// are UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileIO.h"

namespace brindle::maps {

inline constexpr std::string_view kMapCycleFileName = "mapcycle.txt";
inline constexpr std::string_view kMapExtension = ".bsp";
// A description is a few lines of text; a larger file is not one.
inline constexpr std::uintmax_t kMaxDescriptionBytes = 1024u * 1024u;

// The map name of a file name: the name less its ".bsp" extension, in whatever letter case the
// extension is written (the server loads maps/<name>.bsp and finds "de_x.BSP" as "de_x" on a
// file system that ignores case). Empty when the file is no map.
std::string mapNameOf(std::string_view fileName);

// The maps in the game directory's maps folder (the folder's name matched without regard to
// letter case): one name per .bsp file, each name once, sorted without regard to letter case.
// A file whose name holds a line break is no map here: it cannot stand on a line of the cycle.
// No folder or no maps: an empty list.
std::vector<std::string> listMaps(const std::string& gameDir);

// The listed map that `name` means: the map of exactly that name, else the one map that
// differs only in letter case. Nothing when there is no such map, or several.
std::optional<std::string> findMap(const std::vector<std::string>& maps, std::string_view name);

std::string mapCyclePath(const std::string& gameDir);

struct CycleFile {
  bool ok = false;
  bool exists = false;  // mapcycle.txt was there (or was created)
  std::vector<std::string> entries;
  std::string error;  // the file layer's text when !ok
};

// mapcycle.txt of the game directory as its lines, an empty line included. When the file does
// not exist it is created empty first, so the server finds a cycle file whatever the user does
// next.
CycleFile openMapCycle(const std::string& gameDir);
// The same without creating anything: a missing file reads as an empty cycle.
CycleFile readMapCycle(const std::string& gameDir);

// Writes the entries atomically, each followed by CR LF, the last one included; no entries
// give an empty file.
core::WriteResult saveMapCycle(const std::string& gameDir, const std::vector<std::string>& entries);

// The description of a map, maps/<map>.txt (matched without regard to letter case), as the file
// holds it. Nothing when there is none, when it cannot be read, or when the name is no plain
// file name (a cycle entry such as "../x" must not reach outside the maps folder).
std::optional<std::string> readDescription(const std::string& gameDir, std::string_view map);

// What a description box shows for a map without description (UTF-8, like every message).
inline constexpr std::string_view kNoDescriptionText = "Нет файла описания для данной карты!";

// Whether two paths name the same existing directory (links and "." and ".." resolved).
bool sameDirectory(const std::string& a, const std::string& b);

// What "Применить" says when the window shows the program directory, because no game
// directory has been chosen: the server's cycle file does not belong there.
inline constexpr std::string_view kNoGameDirectoryText =
    "Каталог игры не выбран, и список смены карт не записан: файл mapcycle.txt не создаётся в "
    "каталоге программы. Выберите каталог игры (\"Сменить каталог игры\", Ctrl+K).";

// The message for a game directory whose mapcycle.txt cannot be created or read.
std::string openFailureMessage(const CycleFile& failed);

// Why an edit of the cycle was refused.
enum class Refusal { None, NoMapToAdd, NoEntryToRemove, NoEntryToMove };

// The message for a refusal; empty for Refusal::None.
std::string_view refusalMessage(Refusal refusal);

// The cycle being edited: its entries in play order (repeats allowed) and the selected entry.
class MapCycle {
 public:
  MapCycle() = default;
  explicit MapCycle(std::vector<std::string> entries) : entries_(std::move(entries)) {}

  const std::vector<std::string>& entries() const { return entries_; }
  int size() const { return static_cast<int>(entries_.size()); }

  // The selected entry, -1 for none. Selecting outside the entries selects none.
  int selected() const { return selected_; }
  void select(int index);

  // Appends the map (nothing: no map chosen), even when the cycle holds it already. The
  // selection stays where it was.
  Refusal add(const std::optional<std::string>& map);
  // Deletes the selected entry; afterwards nothing is selected.
  Refusal removeSelected();
  // Exchanges the selected entry with the one above (below) it; the selection follows the
  // entry. The first entry up and the last one down stay where they are, without complaint.
  Refusal moveSelectedUp();
  Refusal moveSelectedDown();

 private:
  Refusal move(int step);

  std::vector<std::string> entries_;
  int selected_ = -1;
};

}  // namespace brindle::maps
