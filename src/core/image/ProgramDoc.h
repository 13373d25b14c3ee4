#pragma once

#include <functional>
#include <string>

#include "image/DocumentState.h"
#include "util/File.h"

class CIniFile;

// The document: its state (image, new-document flag, band limits) and the name it is known
// by. The windows that show it belong to the desktop program; this is its data side.
class CProgramDoc : public CDocumentState {
public:
    // Defaults and the path name from [Setup] AppName.
    bool OnNewDocument(const CIniFile& ini);
    // Reads the first 6144 bytes of `path`. On failure the document is left as it was.
    CFileResult OnOpenDocument(const std::string& path);
    // Runs the before-save hook (the channel view stores its grid), then writes the file with
    // WriteFileSafely (the file a link leads to, atomically; protected files are refused).
    CFileResult OnSaveDocument(const std::string& path);

    // The file Save writes to (a new document's is [Setup] AppName).
    const std::string& GetPathName() const { return m_strPathName; }
    // A recovered document takes the name of the file it was made from, so Save writes there.
    void SetPathName(const std::string& path) { m_strPathName = path; }

    // Called first by OnSaveDocument so that pending grid text reaches the image.
    std::function<void()> m_beforeSave;

private:
    std::string m_strPathName;
};

// The image held in a .dat file, without touching any document.
CResult<CMemoryImage> LoadDatFile(const std::string& path);
CFileResult SaveDatFile(const std::string& path, const CMemoryImage& image);
