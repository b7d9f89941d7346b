#include "dictionary/logic/Libraries.h"

#include <algorithm>

#include "core/DataLayout.h"
#include "core/DataPaths.h"
#include "core/FileIO.h"
#include "core/Text.h"

namespace brindle::dictionary {
namespace {

// Characters (code points) of a UTF-8 path.
std::size_t characters(std::string_view utf8) {
  return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

std::string tooLong(const std::string& path) {
  return "Путь длиннее " + std::to_string(kMaxCopyPath) + " символов, файл не добавлен:\n" + path;
}

// A name with a folder in it would reach outside the library folders.
std::string unsafeName(std::string_view name) {
  return "Недопустимое имя файла: \"" + std::string(name) +
         "\"\nИмя не может содержать \"\\\", \"/\" или \"..\".";
}

RemoveResult removeAt(const std::string& path) {
  // A file that is gone already leaves nothing to keep the entry for.
  if (!core::pathExists(path)) return RemoveResult{true, {}};
  if (core::removeFile(path)) return RemoveResult{true, {}};
  return RemoveResult{false, "Не удаётся удалить файл \"" + path + "\""};
}

}  // namespace

std::string libraryNameOf(std::string_view fileName) {
  return fileName.size() > 4 ? std::string(fileName.substr(0, fileName.size() - 4)) : std::string();
}

bool listHolds(const std::vector<std::string>& list, std::string_view entry) {
  return std::find(list.begin(), list.end(), entry) != list.end();
}

std::vector<std::string> librariesToAdd(const std::string& programDir,
                                        const std::vector<std::string>& listed) {
  // The listing matches ".dlz" in any letter case, so the test is on the name part: a file
  // "Net.DLZ" must not add "Net" again on every refresh.
  std::vector<std::string> out;
  for (const auto& folder : core::DataLayout(programDir).libraryFolders())
    for (const auto& file : core::listFiles(folder, ".dlz")) {
      const std::string name = libraryNameOf(file);
      if (!listHolds(listed, name) && !listHolds(out, name)) out.push_back(name);
    }
  return out;
}

std::vector<std::string> metaBindsToAdd(const std::string& programDir,
                                        const std::vector<std::string>& listed) {
  std::vector<std::string> out;
  for (const auto& folder : core::DataLayout(programDir).metaBindFolders())
    for (const auto& file : core::listFiles(folder, ".mtb"))
      if (!listHolds(listed, file) && !listHolds(out, file)) out.push_back(file);
  return out;
}

AddPlan planAdd(const std::string& programDir, const std::string& sourcePath, int filterIndex) {
  AddPlan plan;
  plan.kind = filterIndex == 2 ? LibraryKind::MetaBind : LibraryKind::ValueLibrary;
  plan.source = sourcePath;
  const std::string file = core::baseName(sourcePath);
  if (file.empty()) {
    plan.error = "Не выбран файл";
    return plan;
  }
  plan.listEntry = plan.kind == LibraryKind::ValueLibrary ? libraryNameOf(file) : file;
  const core::DataLayout data(programDir);
  // Added files go to the user's folder (beside the program when it is portable).
  const auto target = plan.kind == LibraryKind::ValueLibrary ? data.newLibraryFile(file)
                                                             : data.newMetaBindFile(file);
  if (!target) {
    plan.error = unsafeName(file);
    return plan;
  }
  plan.target = *target;
  plan.makeFolder = data.installed();
  if (characters(plan.source) > kMaxCopyPath) {
    plan.error = tooLong(plan.source);
    return plan;
  }
  if (characters(plan.target) > kMaxCopyPath) {
    plan.error = tooLong(plan.target);
    return plan;
  }
  plan.ok = true;
  return plan;
}

AddResult performAdd(const AddPlan& plan) {
  if (!plan.ok) return AddResult{false, plan.error};
  if (plan.makeFolder) core::makeFolders(core::folderOf(plan.target));
  const core::WriteResult copied = core::copyFile(plan.source, plan.target);
  if (!copied.ok) return AddResult{false, "Файл не добавлен: " + copied.error};
  return AddResult{true, {}};
}

RemoveResult removeValueLibrary(const std::string& programDir, std::string_view name) {
  const auto path = core::DataLayout(programDir).libraryFile(std::string(name) + ".dlz");
  if (!path) return RemoveResult{false, unsafeName(name)};
  return removeAt(*path);
}

RemoveResult removeMetaBind(const std::string& programDir, std::string_view fileName) {
  const auto path = core::DataLayout(programDir).metaBindFile(fileName);
  if (!path) return RemoveResult{false, unsafeName(fileName)};
  return removeAt(*path);
}

}  // namespace brindle::dictionary
