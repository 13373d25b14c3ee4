#pragma once

#include <cstdint>
#include <expected>
#include <span>
#include <string>
#include <vector>

// Errors are sentences ready to show to the user.
using CFileResult = std::expected<void, std::string>;

// Replaces `path` with `bytes` so that a crash or a full disk leaves either the old file or the
// new one, never a mix: a temporary file in the same directory is written, synced and renamed
// over the target. The target's permissions are kept.
CFileResult WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Reads at most `limit` bytes; the error names the file and the system's reason.
std::expected<std::vector<std::uint8_t>, std::string> ReadFileBytes(const std::string& path,
                                                                    std::size_t limit);

// The system's reason for errno `err`, as a sentence fragment.
std::string SystemReason(int err);
