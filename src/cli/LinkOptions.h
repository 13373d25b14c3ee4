#pragma once

#include "CliCommon.h"
#include "ConsoleEvents.h"
#include "link/CloneProtocol.h"

// The options every radio command takes: --port, --quiet, --trace, --retries, --lang.
void AddLinkOptions(CLI::App* cmd, CConsoleLinkOptions& options);

// The exit code that tells a transfer's outcome apart.
int TransferExitCode(ETransferOutcome outcome);

#include "image/Backups.h"

// Saves the automatic backup; a failure is a warning on stderr and the command goes on.
void TakeBackup(EBackupKind kind, const CMemoryImage& image);
