#pragma once

#include <string>

// Directory of the running executable, with a trailing '/'. Never the current directory:
// a program started from elsewhere must still find its own Program.ini.
const std::string& ProgramDirectory();

// The directory part of a path, with a trailing '/' ("./" when the path has none).
std::string DirectoryOf(const std::string& path);
