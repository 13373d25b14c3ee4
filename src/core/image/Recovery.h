#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "image/MemoryImage.h"
#include "util/Error.h"

// Copies of modified documents, written while the program runs so that work survives a crash
// or a kill. Each document has a pair in the folder: NAME.dat, a plain image that File > Open
// reads too, and NAME.path, the file the document belongs to (empty for one never saved).
struct CRecoveryEntry {
    std::string m_dataPath;
    std::string m_originalPath;
    std::time_t m_time = 0;  // when the copy was last written
    long m_ownerPid = 0;     // the process that wrote it
};

// $XDG_STATE_HOME/lh740/recovery, or ~/.local/state/lh740/recovery; empty when neither is known.
std::string RecoveryFolder();

// A name for one document's copies: the process id and a serial, so that programs running side
// by side never share one.
std::string NewRecoveryName();

// Writes NAME.path and then NAME.dat, each atomically, creating the folder (0700). A pair is
// listed only once both are complete. Returns the .dat path.
CResult<std::string> SaveRecovery(const std::string& folder, const std::string& name,
                                  const std::string& originalPath, const CMemoryImage& image);

// The complete pairs in `folder`, newest first. Files of other names, a .dat that is not an
// image's size and a .path that is not a path are ignored.
std::vector<CRecoveryEntry> ListRecovery(const std::string& folder);

// The copy belongs to another program that is still running: it is that program's to offer.
bool RecoveryOwnerRunning(const CRecoveryEntry& entry);

// Removes a pair given its .dat path; a missing file is no error.
void RemoveRecovery(const std::string& dataPath);
