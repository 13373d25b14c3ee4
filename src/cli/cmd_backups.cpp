#include <cstdio>
#include <ctime>

#include "CliCommon.h"
#include "LinkOptions.h"
#include "image/Backups.h"
#include "settings/IniFile.h"

void TakeBackup(EBackupKind kind, const CMemoryImage& image) {
    auto saved =
        SaveBackup(BackupFolder(), kind, image, BackupLimit(ProgramSettings()), std::time(nullptr));
    if (!saved) {
        std::fprintf(stderr, "lh740ctl: %s %s\n", CliChinese() ? "警告：" : "warning:",
                     saved.error().Text(CliChinese()).c_str());
    }
}

namespace {

void AddBackupsCommand(CLI::App& app, int& rc) {
    auto* cmd = app.add_subcommand(
        "backups",
        "List the automatic backups (every read, and before every write), newest first.");
    AddLanguageOption(cmd);
    cmd->callback([&rc] {
        const std::string folder = BackupFolder();
        const bool chinese = CliChinese();
        std::printf("%s %s\n", chinese ? "备份目录：" : "Folder:", folder.c_str());
        for (const CBackupEntry& entry : ListBackups(folder)) {
            std::printf("%-36s %6ju  %s\n", entry.m_name.c_str(), entry.m_size,
                        BackupKindText(entry.m_kind).Get(chinese));
        }
        rc = kExitOk;
    });
}

}  // namespace

LH740_REGISTER_COMMAND(250, AddBackupsCommand);
