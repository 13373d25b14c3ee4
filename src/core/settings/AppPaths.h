#pragma once

#include <string>

// Directory of the running executable, with a trailing '/'. Never the current directory:
// a program started from elsewhere must still find its own Program.ini.
const std::string& ProgramDirectory();

// The directory part of a path, with a trailing '/' ("./" when the path has none).
std::string DirectoryOf(const std::string& path);

// The name of a regular file in `directory` (ending with '/') that is `name` exactly, or else
// one whose name equals it ignoring ASCII letter case as Program.ini compares names (the first
// in byte order); empty when there is none. For names written by hand in Program.ini.
std::string FindFileIgnoringCase(const std::string& directory, const std::string& name);
