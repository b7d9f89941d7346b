#include "core/Backups.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "core/Settings.h"
#include "core/Text.h"

namespace brindle::core {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kPathFile = "path.txt";
// "YYYY-MM-DD_HH-MM-SS.mmm"
constexpr std::size_t kStampLength = 23;

std::int64_t systemNowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// The file's full path: absolute, with links followed.
std::string canonicalOf(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::absolute(pathFromUtf8(path), ec), ec);
  if (ec) p = fs::absolute(pathFromUtf8(path), ec).lexically_normal();
  return utf8Of(p.make_preferred());
}

// The file as one key, on Windows without regard to letter case, so every spelling of one file
// shares its backups.
std::string keyOf(const std::string& canonical) {
  std::string key = canonical;
#ifdef _WIN32
  for (char& c : key)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
#endif
  return key;
}

std::uint64_t fnv1a(std::string_view text) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : text) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

std::string hex16(std::uint64_t v) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string s(16, '0');
  for (std::size_t i = 16; i-- > 0; v >>= 4) s[i] = kDigits[v & 15];
  return s;
}

// The stem and extension of a file name: "config.cfg" -> "config", ".cfg".
std::pair<std::string, std::string> splitName(const std::string& name) {
  const auto dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0) return {name, {}};
  return {name.substr(0, dot), name.substr(dot)};
}

// A file name may have 255 bytes. A backup adds a time stamp to its file's name and is written
// under a temporary name longer still, so long names are cut short here: the folder's hash of
// the full path keeps the files apart, and path.txt keeps the whole name.
constexpr std::size_t kKeptNameBytes = 80;

std::string shortened(std::string name) {
  if (name.size() <= kKeptNameBytes) return name;
  std::size_t cut = kKeptNameBytes;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;  // UTF-8
  name.resize(cut);
  return name;
}

// The stem and extension of the backups of a file: its own, the stem cut short; a long
// "extension" is part of the stem.
std::pair<std::string, std::string> backupParts(const std::string& name) {
  auto [stem, ext] = splitName(name);
  if (ext.size() > 16) {
    stem = name;
    ext.clear();
  }
  return {shortened(stem), ext};
}

struct Civil {
  int year, month, day, hour, minute, second, millis;
};

Civil civilUtc(std::int64_t ms) {
  using namespace std::chrono;
  const sys_time<milliseconds> t{milliseconds{ms}};
  const auto day = floor<days>(t);
  const year_month_day ymd{day};
  const hh_mm_ss<milliseconds> hms{t - day};
  return Civil{int(ymd.year()),
               static_cast<int>(unsigned(ymd.month())),
               static_cast<int>(unsigned(ymd.day())),
               static_cast<int>(hms.hours().count()),
               static_cast<int>(hms.minutes().count()),
               static_cast<int>(hms.seconds().count()),
               static_cast<int>(hms.subseconds().count())};
}

std::string stampOf(std::int64_t ms) {
  const Civil c = civilUtc(ms);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d_%02d-%02d-%02d.%03d", c.year, c.month, c.day,
                c.hour, c.minute, c.second, c.millis);
  return buf;
}

std::optional<int> digits(std::string_view s, std::size_t at, std::size_t count) {
  int v = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (s[i] < '0' || s[i] > '9') return std::nullopt;
    v = v * 10 + (s[i] - '0');
  }
  return v;
}

std::optional<std::int64_t> parseStamp(std::string_view s) {
  if (s.size() != kStampLength || s[4] != '-' || s[7] != '-' || s[10] != '_' || s[13] != '-' ||
      s[16] != '-' || s[19] != '.')
    return std::nullopt;
  const auto y = digits(s, 0, 4), mo = digits(s, 5, 2), d = digits(s, 8, 2), h = digits(s, 11, 2),
             mi = digits(s, 14, 2), se = digits(s, 17, 2), ms = digits(s, 20, 3);
  if (!y || !mo || !d || !h || !mi || !se || !ms) return std::nullopt;
  using namespace std::chrono;
  const year_month_day ymd{year{*y}, month{static_cast<unsigned>(*mo)},
                           day{static_cast<unsigned>(*d)}};
  if (!ymd.ok() || *h > 23 || *mi > 59 || *se > 59) return std::nullopt;
  const auto t = sys_days{ymd} + hours{*h} + minutes{*mi} + seconds{*se} + milliseconds{*ms};
  return duration_cast<milliseconds>(t.time_since_epoch()).count();
}

WriteResult backupFailure(const std::string& original, const std::string& why) {
  return WriteResult{false, "Не удаётся сохранить резервную копию файла \"" + original +
                                "\", файл не перезаписан: " + why};
}

std::shared_ptr<BackupStore>& installed() {
  static std::shared_ptr<BackupStore> store;
  return store;
}

}  // namespace

BackupStore::BackupStore(std::string folder, BackupLimits limits, Clock clock)
    : folder_(std::move(folder)),
      limits_(limits),
      clock_(clock ? std::move(clock) : Clock(systemNowMs)) {}

std::string BackupStore::folderOf(const std::string& original) const {
  const std::string key = keyOf(canonicalOf(original));
  return utf8Of(pathFromUtf8(folder_) /
                pathFromUtf8(shortened(baseName(key)) + "-" + hex16(fnv1a(key))));
}

std::vector<BackupEntry> BackupStore::entriesIn(const std::string& fileFolder) const {
  std::vector<BackupEntry> out;
  const ReadResult source = readFile(utf8Of(pathFromUtf8(fileFolder) / kPathFile));
  if (!source.ok) return out;
  // path.txt holds the path and the line break written after it; a name may itself end in one.
  std::string original = source.data;
  if (!original.empty() && original.back() == '\n') original.pop_back();
  if (original.empty()) return out;
  const std::string name0 = baseName(original);
  const auto [stem, ext] = backupParts(name0);
  // Backups taken before long names were cut short carry the whole stem.
  const std::string fullStem = splitName(name0).first;
  std::error_code ec;
  for (fs::directory_iterator it(pathFromUtf8(fileFolder), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code e2;
    if (!it->is_regular_file(e2)) continue;
    const std::string name = utf8Of(it->path().filename());
    const auto stampAfter = [&](const std::string& s, const std::string& e) -> std::size_t {
      if (name.size() != s.size() + 1 + kStampLength + e.size() ||
          name.compare(0, s.size() + 1, s + "_") != 0 ||
          name.compare(name.size() - e.size(), e.size(), e) != 0)
        return std::string::npos;
      return s.size() + 1;
    };
    std::size_t at = stampAfter(stem, ext);
    if (at == std::string::npos && fullStem != stem)
      at = stampAfter(fullStem, splitName(name0).second);
    if (at == std::string::npos) continue;
    const auto when = parseStamp(std::string_view(name).substr(at, kStampLength));
    if (!when) continue;
    out.push_back(BackupEntry{utf8Of(it->path()), original, *when, it->file_size(e2)});
  }
  std::sort(out.begin(), out.end(),
            [](const BackupEntry& a, const BackupEntry& b) { return a.timeMs > b.timeMs; });
  return out;
}

std::vector<BackupEntry> BackupStore::backupsOf(const std::string& original) const {
  return entriesIn(folderOf(original));
}

std::vector<std::string> BackupStore::backedUpFiles() const {
  std::vector<std::string> out;
  std::error_code ec;
  for (fs::directory_iterator it(pathFromUtf8(folder_), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code e2;
    if (!it->is_directory(e2)) continue;
    const std::vector<BackupEntry> entries = entriesIn(utf8Of(it->path()));
    if (!entries.empty()) out.push_back(entries.front().original);
  }
  std::sort(out.begin(), out.end());
  return out;
}

ReadResult BackupStore::read(const BackupEntry& entry) const {
  return readFile(entry.file, std::max(limits_.totalBytes, kMaxDocumentBytes));
}

WriteResult BackupStore::keepBefore(const std::string& original,
                                    std::optional<std::string_view> incoming) {
  if (!pathExists(original)) return WriteResult{true, {}};
  // A file larger than the whole allowance is still kept, alone; one larger than any file the
  // program reads is refused rather than replaced without a copy.
  const ReadResult current = readFile(original, std::max(limits_.totalBytes, kMaxDocumentBytes));
  if (!current.ok) return backupFailure(original, current.error);
  if (incoming && *incoming == current.data) return WriteResult{true, {}};

  const std::string canonical = canonicalOf(original);
  const std::string fileFolder = folderOf(canonical);
  const std::vector<BackupEntry> existing = entriesIn(fileFolder);
  if (!existing.empty() && existing.front().size == current.data.size()) {
    const ReadResult newest = read(existing.front());
    if (newest.ok && newest.data == current.data) return WriteResult{true, {}};
  }

  std::error_code ec;
  fs::create_directories(pathFromUtf8(fileFolder), ec);
  if (ec) return backupFailure(original, systemErrorText(ec) + " (" + fileFolder + ")");
  const std::string pathFile = utf8Of(pathFromUtf8(fileFolder) / kPathFile);
  if (existing.empty() || !fileExists(pathFile)) {
    const WriteResult w = writeFileAtomic(pathFile, canonical + "\n", Backup::Skip);
    if (!w.ok) return backupFailure(original, w.error);
  }

  // Later than every backup already there, so the names sort as the versions were taken even
  // if the clock went back.
  std::int64_t when = clock_();
  if (!existing.empty()) when = std::max(when, existing.front().timeMs + 1);
  const auto [stem, ext] = backupParts(baseName(canonical));
  std::string file;
  for (;; ++when) {
    file = utf8Of(pathFromUtf8(fileFolder) / pathFromUtf8(stem + "_" + stampOf(when) + ext));
    if (!pathExists(file)) break;
  }
  const WriteResult w = writeFileAtomic(file, current.data, Backup::Skip);
  if (!w.ok) return backupFailure(original, w.error);
  trim(file);
  return WriteResult{true, {}};
}

void BackupStore::trim(const std::string& keptFile) {
  std::vector<BackupEntry> all;
  std::error_code ec;
  for (fs::directory_iterator it(pathFromUtf8(folder_), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code e2;
    if (!it->is_directory(e2)) continue;
    std::vector<BackupEntry> entries = entriesIn(utf8Of(it->path()));
    // The newest `perFile` of each file stay; the rest go now.
    const std::size_t keep = static_cast<std::size_t>(std::max(1, limits_.perFile));
    for (std::size_t i = keep; i < entries.size(); ++i)
      if (entries[i].file != keptFile) removeFile(entries[i].file);
    if (entries.size() > keep) entries.resize(keep);
    all.insert(all.end(), entries.begin(), entries.end());
  }
  std::uintmax_t total = 0;
  for (const BackupEntry& e : all) total += e.size;
  std::sort(all.begin(), all.end(),
            [](const BackupEntry& a, const BackupEntry& b) { return a.timeMs < b.timeMs; });
  bool emptied = false;
  for (const BackupEntry& e : all) {
    if (total <= limits_.totalBytes) break;
    if (e.file == keptFile) continue;
    if (removeFile(e.file)) {
      total -= e.size;
      emptied = true;
    }
  }
  if (!emptied) return;
  // A file whose last backup went leaves no folder behind; anything else in it stays.
  for (fs::directory_iterator it(pathFromUtf8(folder_), ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code e2;
    if (!it->is_directory(e2) || !entriesIn(utf8Of(it->path())).empty()) continue;
    removeFile(utf8Of(it->path() / kPathFile));
    fs::remove(it->path(), e2);
  }
}

WriteResult BackupStore::restore(const BackupEntry& entry) {
  const ReadResult data = read(entry);
  if (!data.ok) return WriteResult{false, data.error};
  const WriteResult kept = keepBefore(entry.original, data.data);
  if (!kept.ok) return kept;
  return writeFileAtomic(entry.original, data.data, Backup::Skip);
}

std::string backupPathOf(const std::string& path) { return canonicalOf(path); }

std::string backupFolderBeside(const std::string& settingsFile) {
  return utf8Of(pathFromUtf8(settingsFile).parent_path() / "backups");
}

BackupLimits backupLimitsFrom(const Settings& settings) {
  BackupLimits limits;
  const int perFile = settings.readInt(Setting::BackupsPerFile, kDefaultBackupsPerFile);
  if (perFile >= 1 && perFile <= kMaxBackupsPerFile) limits.perFile = perFile;
  return limits;
}

std::shared_ptr<BackupStore> installBackups(const Settings& settings) {
  auto store = std::make_shared<BackupStore>(backupFolderBeside(settings.path()),
                                             backupLimitsFrom(settings));
  installed() = store;
  setOverwriteHook([store](const std::string& target, std::optional<std::string_view> incoming) {
    return store->keepBefore(target, incoming);
  });
  return store;
}

std::shared_ptr<BackupStore> installedBackups() { return installed(); }

void uninstallBackups() {
  setOverwriteHook({});
  installed().reset();
}

std::string backupTimeText(std::int64_t timeMs) {
  const std::time_t seconds = static_cast<std::time_t>(timeMs / 1000);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &seconds);
#else
  localtime_r(&seconds, &local);
#endif
  char buf[32];
  std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
  return buf;
}

}  // namespace brindle::core
