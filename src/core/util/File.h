#pragma once

#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <vector>

#include "util/Error.h"

// Errors are sentences ready to show to the user, in both languages.
using CFileResult = CResult<>;

// Every file the programs write goes through here. The file written is the real one: symbolic
// links are followed and the file they lead to is written, never the link. The target must be a
// regular file or not exist yet; a device, pipe, socket or folder is refused, and so is a file
// that is write-protected (no write permission, or no write bit at all even for root).
//
// The new content goes to a temporary file in the target's own folder, which is synced and
// renamed over the target with its mode, owner and group, so any failure leaves the old file
// byte for byte. Only when the folder refuses new files (EACCES, EPERM, EROFS), or the owner
// could not be kept, is an existing writable file rewritten in place instead: its space is
// reserved first, and if the new bytes cannot all be written the old ones are put back.
CFileResult WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes);

// As WriteFileSafely, except that "-" writes to standard output, for commands whose result is
// a file a user may want to pipe.
CFileResult WriteOutputFile(const std::string& path, std::span<const std::uint8_t> bytes);

// Whether WriteFileSafely may write `path`, checked without writing anything: used before
// long work whose result would otherwise be refused only at the end.
CFileResult CheckWritableTarget(const std::string& path);

// Reads at most `limit` bytes of a regular file. Anything else (a pipe, a device, a folder) is
// refused without being opened, so a pipe with no writer cannot block the program. With
// `createIfMissing` a missing file is created empty (never truncated). The error names the
// file and the system's reason.
CResult<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t limit,
                                                 bool createIfMissing = false);

// The system's reason for errno `err`, as a sentence fragment (the system's English, and
// Chinese for the reasons file work meets).
CTexts SystemReason(int err);

// True when `a` and `b` name the same file: the same inode when both exist, else the same
// path once made absolute and normal (a file to be created has no inode yet).
bool IsSameFile(const std::string& a, const std::string& b);

// Whether saves start from an unnamed file (O_TMPFILE); off, they take the named temporary a
// file system without unnamed files gets. For tests of that path.
void UseUnnamedTemporaries(bool use);

// The first line of a small text file (a sysfs or /proc entry) without its trailing blanks and
// CR; empty when it cannot be read.
std::string ReadFirstLine(const std::string& path);

// mkdir -p with mode 0700 for the folders it makes: backups and recovery copies hold the
// radio's password, the user's settings are the user's. The error names the folder and the
// system's reason.
CResult<> MakePrivateFolders(const std::string& folder);
