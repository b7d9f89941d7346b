#pragma once
// Backups of the user's files. Before the program replaces a file (saving a document, applying
// the wizard, a launch, the map cycle, a library, the command-line tools), the version on disk
// is copied into a folder "backups" beside the settings file:
//
//   backups/<file name>-<16 hex digits>/path.txt           the file's full path (UTF-8)
//   backups/<file name>-<16 hex digits>/<stem>_<time><ext> one backup, the time in UTC as
//                                                          YYYY-MM-DD_HH-MM-SS.mmm
//
// The hex digits tell apart files of one name in different folders (a hash of the full path).
// Each backup is written atomically. The newest `perFile` backups of each file are kept, and
// the whole folder stays within `totalBytes`: the oldest backups of any file go first, never
// the one just made.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/FileIO.h"

namespace brindle::core {

class Settings;

inline constexpr int kDefaultBackupsPerFile = 10;
inline constexpr int kMaxBackupsPerFile = 1000;
inline constexpr std::uintmax_t kBackupTotalBytes = 50u * 1024u * 1024u;

struct BackupLimits {
  int perFile = kDefaultBackupsPerFile;
  std::uintmax_t totalBytes = kBackupTotalBytes;
};

struct BackupEntry {
  std::string file;         // the backup itself
  std::string original;     // the file it keeps a version of
  std::int64_t timeMs = 0;  // when it was taken: milliseconds since 1970-01-01 UTC
  std::uintmax_t size = 0;
};

class BackupStore {
 public:
  // Milliseconds since 1970-01-01 UTC; the system clock unless a test gives its own.
  using Clock = std::function<std::int64_t()>;

  explicit BackupStore(std::string folder, BackupLimits limits = {}, Clock clock = {});

  const std::string& folder() const { return folder_; }
  const BackupLimits& limits() const { return limits_; }
  void setLimits(BackupLimits limits) { limits_ = limits; }

  // Keeps the file `original` as it is on disk now, before `incoming` (nothing: unknown)
  // replaces it. Nothing is kept when the file does not exist, when `incoming` is the same
  // content, or when the newest backup already holds it. Fails when the file exists but cannot
  // be read or the backup cannot be written.
  WriteResult keepBefore(const std::string& original,
                         std::optional<std::string_view> incoming = std::nullopt);

  // The backups of one file, newest first.
  std::vector<BackupEntry> backupsOf(const std::string& original) const;
  // Every file that has backups, by path.
  std::vector<std::string> backedUpFiles() const;
  ReadResult read(const BackupEntry& entry) const;
  // Writes the backup over its file, after keeping the file's current version as a backup of
  // its own, so a restore can itself be undone.
  WriteResult restore(const BackupEntry& entry);

 private:
  std::string folderOf(const std::string& original) const;
  std::vector<BackupEntry> entriesIn(const std::string& fileFolder) const;
  void trim(const std::string& keptFile);

  std::string folder_;
  BackupLimits limits_;
  Clock clock_;
};

// The full path under which the backups of `path` are listed (absolute, links followed).
std::string backupPathOf(const std::string& path);

// The folder "backups" beside the settings file.
std::string backupFolderBeside(const std::string& settingsFile);
// The limits the settings ask for (the number kept per file), else the built-in ones.
BackupLimits backupLimitsFrom(const Settings& settings);

// Makes every write of a user's file through FileIO keep a backup in a store beside the
// settings file, and returns that store (for listing and restoring). Called once at start by
// the program and by brindle-cli.
std::shared_ptr<BackupStore> installBackups(const Settings& settings);
// The installed store, or null.
std::shared_ptr<BackupStore> installedBackups();
// Removes the hook (tests).
void uninstallBackups();

// A backup time as the user reads it, in local time: "2026-12-07 21:45:12".
std::string backupTimeText(std::int64_t timeMs);

}  // namespace brindle::core
