#include "image/Recovery.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "image/Backups.h"
#include "settings/UserValues.h"
#include "util/File.h"

namespace {

// Longer than any path the system accepts.
constexpr std::size_t kPathLimit = 4096;

std::string PathFileOf(const std::string& dataPath) {
    return dataPath.substr(0, dataPath.size() - 4) + ".path";
}

CError RecoveryError(const CTexts& why) {
    return CError(CTexts{"The recovery copy could not be saved: " + why.m_en,
                         "无法保存恢复副本：" + why.m_zh});
}

}  // namespace

std::string RecoveryFolder() {
    const std::string base = XdgDirectory("XDG_STATE_HOME", ".local/state");
    return base.empty() ? base : base + "/lh740/recovery";
}

std::string NewRecoveryName() {
    static std::atomic<unsigned> serial{0};
    return std::to_string(::getpid()) + "-" + std::to_string(++serial);
}

CResult<std::string> SaveRecovery(const std::string& folder, const std::string& name,
                                  const std::string& originalPath, const CMemoryImage& image) {
    if (folder.empty()) {
        return std::unexpected(RecoveryError(CTexts{"no home folder is known.", "未知主目录。"}));
    }
    if (auto made = MakePrivateFolders(folder); !made) {
        return std::unexpected(RecoveryError(made.error().m_text));
    }
    const std::string dataPath = folder + "/" + name + ".dat";
    const std::string pathText = originalPath;
    const std::span<const std::uint8_t> pathBytes(
        reinterpret_cast<const std::uint8_t*>(pathText.data()), pathText.size());
    // The path first: a kill between the two leaves no .dat that names the wrong file.
    if (auto written = WriteFileSafely(PathFileOf(dataPath), pathBytes); !written) {
        return std::unexpected(RecoveryError(written.error().m_text));
    }
    if (auto written = WriteFileSafely(dataPath, image.m_bytes); !written) {
        return std::unexpected(RecoveryError(written.error().m_text));
    }
    return dataPath;
}

std::vector<CRecoveryEntry> ListRecovery(const std::string& folder) {
    static const std::regex pattern(R"(^(\d{1,10})-\d{1,10}\.dat$)");
    std::vector<CRecoveryEntry> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        std::smatch m;
        if (!std::regex_match(name, m, pattern)) {
            continue;
        }
        const std::string dataPath = it->path().string();
        struct stat st {};
        if (::lstat(dataPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
            static_cast<std::size_t>(st.st_size) != kImageSize) {
            continue;
        }
        const auto text = ReadFileBytes(PathFileOf(dataPath), kPathLimit + 1);
        if (!text || text->size() > kPathLimit ||
            std::ranges::find(*text, std::uint8_t{0}) != text->end() ||
            (!text->empty() && text->front() != '/')) {
            continue;
        }
        entries.push_back({dataPath, std::string(text->begin(), text->end()), st.st_mtime,
                           std::atol(m[1].str().c_str())});
    }
    std::ranges::sort(entries, [](const CRecoveryEntry& a, const CRecoveryEntry& b) {
        return a.m_time != b.m_time ? a.m_time > b.m_time : a.m_dataPath < b.m_dataPath;
    });
    return entries;
}

bool RecoveryOwnerRunning(const CRecoveryEntry& entry) {
    if (entry.m_ownerPid <= 0 || entry.m_ownerPid == ::getpid()) {
        return false;
    }
    return ::kill(static_cast<pid_t>(entry.m_ownerPid), 0) == 0 || errno == EPERM;
}

void RemoveRecovery(const std::string& dataPath) {
    if (dataPath.empty()) {
        return;
    }
    std::error_code ignored;
    // The .dat first: a pair without it is never listed.
    std::filesystem::remove(dataPath, ignored);
    std::filesystem::remove(PathFileOf(dataPath), ignored);
}
