#include "image/Backups.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "settings/UserValues.h"
#include "util/File.h"

namespace {

struct CParsedName {
    std::string m_stamp;
    int m_serial = 1;
    EBackupKind m_kind = EBackupKind::Read;
};

bool ParseName(const std::string& name, CParsedName& parsed) {
    static const std::regex pattern(R"(^(\d{8}-\d{6})(?:\.(\d{1,6}))?-(read|before-write)\.dat$)");
    std::smatch m;
    if (!std::regex_match(name, m, pattern)) {
        return false;
    }
    parsed.m_stamp = m[1];
    parsed.m_serial = m[2].matched ? std::atoi(m[2].str().c_str()) : 1;
    parsed.m_kind = m[3] == "read" ? EBackupKind::Read : EBackupKind::BeforeWrite;
    return true;
}

}  // namespace

namespace {

CError BackupError(const CTexts& why) {
    return CError(
        CTexts{"The backup copy could not be saved: " + why.m_en, "无法保存备份：" + why.m_zh});
}

}  // namespace

std::string BackupFolder() {
    const std::string base = XdgDirectory("XDG_DATA_HOME", ".local/share");
    return base.empty() ? base : base + "/lh740/backups";
}

int BackupLimit(const CIniFile& settings) {
    const std::string text = settings.GetString("Setup", "Backups", "");
    if (text.empty() || text.size() > 6 ||
        !std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; })) {
        return kDefaultBackupLimit;
    }
    return std::atoi(text.c_str());
}

CText BackupKindText(EBackupKind kind) {
    return kind == EBackupKind::Read ? CText{"read", "读取"} : CText{"before write", "写入前"};
}

CResult<std::string> SaveBackup(const std::string& folder, EBackupKind kind,
                                const CMemoryImage& image, int keep, std::time_t now) {
    if (keep <= 0) {
        return std::string{};
    }
    if (folder.empty()) {
        return std::unexpected(BackupError(CTexts{"no home folder is known.", "未知主目录。"}));
    }
    if (auto made = MakePrivateFolders(folder); !made) {
        return std::unexpected(BackupError(made.error().m_text));
    }
    std::tm local{};
    ::localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string suffix = kind == EBackupKind::Read ? "-read.dat" : "-before-write.dat";
    // Unique across both kinds, so the order of two backups in one second stays known.
    int serial = 1;
    for (const auto& entry : ListBackups(folder)) {
        CParsedName parsed;
        if (ParseName(entry.m_name, parsed) && parsed.m_stamp == stamp) {
            serial = std::max(serial, parsed.m_serial + 1);
        }
    }
    const std::string name =
        std::string(stamp) + (serial > 1 ? "." + std::to_string(serial) : "") + suffix;
    const std::string path = folder + "/" + name;
    if (auto written = WriteFileSafely(path, image.m_bytes); !written) {
        return std::unexpected(BackupError(written.error().m_text));
    }
    const auto all = ListBackups(folder);
    for (std::size_t i = static_cast<std::size_t>(keep); i < all.size(); ++i) {
        std::error_code ignored;
        std::filesystem::remove(all[i].m_path, ignored);
    }
    return path;
}

std::vector<CBackupEntry> ListBackups(const std::string& folder) {
    struct CSorted {
        CParsedName m_parsed;
        CBackupEntry m_entry;
    };
    std::vector<CSorted> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        CParsedName parsed;
        std::error_code sizeError;
        if (!ParseName(name, parsed) || !it->is_regular_file(sizeError)) {
            continue;
        }
        const auto size = it->file_size(sizeError);
        found.push_back({parsed, {it->path().string(), name, parsed.m_kind, sizeError ? 0 : size}});
    }
    std::ranges::sort(found, [](const CSorted& a, const CSorted& b) {
        if (a.m_parsed.m_stamp != b.m_parsed.m_stamp) {
            return a.m_parsed.m_stamp > b.m_parsed.m_stamp;
        }
        return a.m_parsed.m_serial > b.m_parsed.m_serial;
    });
    std::vector<CBackupEntry> entries;
    for (auto& f : found) {
        entries.push_back(std::move(f.m_entry));
    }
    return entries;
}
