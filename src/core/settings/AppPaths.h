#pragma once

#include <string>

// Directory of the running executable, with a trailing '/'. Never the current directory:
// a program started from elsewhere must still find its own Program.ini.
const std::string& ProgramDirectory();

// Where the shared files are (Program.ini, language packs, help pages, pictures): beside the
// executable when its Program.ini is there (a build folder, an unpacked copy), else the
// share/lh740/ folder of the prefix the executable was installed in (PREFIX/bin/..).
struct CSharedFiles {
    std::string m_dir;  // with a trailing '/'
    bool m_bInstalled = false;
};
const CSharedFiles& SharedFiles();
CSharedFiles LocateSharedFiles(const std::string& programDir);

// Which Program.ini is read and which is written. The one in `dir` is both, unless it is a
// package's shared file (`installed`) or cannot be written: then changes go to the user's copy
// under $XDG_CONFIG_HOME/lh740/, which is read from then on. `m_save` is empty when the user
// has no configuration folder to write to.
struct CProgramIniPlace {
    std::string m_read;
    std::string m_save;
};
CProgramIniPlace LocateProgramIni(const std::string& dir, bool installed);
// The Program.ini of this installation: LocateProgramIni of SharedFiles().
CProgramIniPlace ProgramIniPlace();

// The directory part of a path, with a trailing '/' ("./" when the path has none).
std::string DirectoryOf(const std::string& path);

// The name of a regular file in `directory` (ending with '/') that is `name` exactly, or else
// one whose name equals it ignoring ASCII letter case as Program.ini compares names (the first
// in byte order); empty when there is none. For names written by hand in Program.ini.
std::string FindFileIgnoringCase(const std::string& directory, const std::string& name);
