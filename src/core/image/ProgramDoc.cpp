#include "image/ProgramDoc.h"

#include <algorithm>

#include "settings/IniFile.h"

CResult<CMemoryImage> LoadDatFile(const std::string& path) {
    auto bytes = ReadFileBytes(path, kImageSize);
    if (!bytes) {
        return std::unexpected(bytes.error());
    }
    if (bytes->size() < kImageSize) {
        const std::string held = std::to_string(bytes->size());
        const std::string needed = std::to_string(kImageSize);
        return std::unexpected(CTexts{"\"" + path + "\" has an unexpected format: it holds " +
                                          held + " bytes, a document needs " + needed + ".",
                                      "\"" + path + "\" 的格式不对：它只有 " + held +
                                          " 个字节，一个文档需要 " + needed + " 个字节。"});
    }
    CMemoryImage image;
    std::ranges::copy(*bytes, image.m_bytes.begin());
    return image;
}

CFileResult SaveDatFile(const std::string& path, const CMemoryImage& image) {
    return WriteFileSafely(path, image.m_bytes);
}

bool CProgramDoc::OnNewDocument(const CIniFile& ini) {
    m_image = CMemoryImage::NewDocument();
    m_strPathName = ini.GetString("Setup", "AppName", "");
    m_bNewDocument = true;
    return true;
}

CFileResult CProgramDoc::OnOpenDocument(const std::string& path) {
    auto image = LoadDatFile(path);
    if (!image) {
        return std::unexpected(image.error());
    }
    m_image = *image;
    m_strPathName = path;
    m_bNewDocument = false;
    return {};
}

CFileResult CProgramDoc::OnSaveDocument(const std::string& path) {
    if (m_beforeSave) {
        m_beforeSave();
    }
    auto saved = SaveDatFile(path, m_image);
    if (saved) {
        m_strPathName = path;
    }
    return saved;
}
