#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "image/MemoryImage.h"
#include "settings/IniFile.h"
#include "util/Error.h"

// Automatic copies of the radio's memory: every completed read, and the document before every
// write, so a bad write or a careless read can be undone from a file.
enum class EBackupKind { Read, BeforeWrite };

struct CBackupEntry {
    std::string m_path;
    std::string m_name;
    EBackupKind m_kind = EBackupKind::Read;
    std::uintmax_t m_size = 0;
};

inline constexpr int kDefaultBackupLimit = 50;

// $XDG_DATA_HOME/lh740/backups, or ~/.local/share/lh740/backups; empty when neither is known.
std::string BackupFolder();

// Program.ini [Setup] Backups: how many backups are kept (0 takes none); the default for a
// missing or unreadable value.
int BackupLimit(const CIniFile& settings);

// Saves `image` as YYYYmmdd-HHMMSS-read.dat or -before-write.dat (local time of `now`; a
// second backup in the same second gets ".2", ".3"... after the time), creating the folder,
// then removes the oldest beyond `keep`. Returns the file written (empty when `keep` is 0);
// the error is a sentence for a warning: a failed backup must not stop a transfer.
CResult<std::string> SaveBackup(const std::string& folder, EBackupKind kind,
                                const CMemoryImage& image, int keep, std::time_t now);

// The backups in `folder`, newest first; other files are ignored.
std::vector<CBackupEntry> ListBackups(const std::string& folder);

CText BackupKindText(EBackupKind kind);
