#include "dictionary/logic/ListFiles.h"

#include "core/DataLayout.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace brindle::dictionary {

const std::vector<ListTableEntry>& listTable(ListTab tab) {
  static const std::vector<ListTableEntry> cmd = {
      {"Standart", "Stcmd.dll"}, {"(-,+)", "Pmcmd.dll"},    {"Record", "Reccmd.dll"},
      {"Other", "Otcmd.dll"},    {"Weapons", "Pushki.dll"},
  };
  static const std::vector<ListTableEntry> cvar = {
      {"Standart", "Stcvr.dll"},  {"Other", "Otcvr.dll"},
      {"Voice", "Vccvr.dll"},     {"sv_...", "Sv_cvr.dll"},
      {"cl_...", "Cl_cvr.dll"},   {"mp_...", "Mp_cvr.dll"},
      {"gl_...", "Gl_cvr.dll"},   {"s_...", "S_cvr.dll"},
      {"r_...", "R_cvr.dll"},     {"sk_(HalfLife)", "Sk_cvr_hlife.dll"},
      {"Joystick", "Joycvr.dll"},
  };
  return tab == ListTab::Cmd ? cmd : cvar;
}

std::optional<std::string> listFileOf(ListTab tab, std::string_view caption) {
  for (const auto& e : listTable(tab))
    if (e.caption == caption) return std::string(e.file);
  return std::nullopt;
}

std::optional<std::string> listPath(const std::string& programDir, ListTab tab,
                                    std::string_view caption) {
  const auto file = listFileOf(tab, caption);
  if (!file) return std::nullopt;
  return core::DataLayout(programDir).listFile(tab == ListTab::Cvar, *file);
}

std::string libraryListPath(const std::string& programDir, std::string_view library) {
  // A library name that is not a plain file name names no file at all.
  return core::DataLayout(programDir).libraryFile(std::string(library) + ".dlz").value_or("");
}

std::vector<std::string> listEntries(std::string_view text) { return core::splitLines(text); }

ListReadResult readListFile(const std::string& path) {
  core::ReadResult file = core::readFile(path);
  if (!file.ok) return ListReadResult{false, {}, std::move(file.error)};
  return ListReadResult{true, listEntries(file.data), {}};
}

}  // namespace brindle::dictionary
