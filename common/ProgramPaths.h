// Paths of the distribution files, built from the running program's module
// path: either the folder without its last backslash (followed by a text
// that begins with a backslash) or the folder with it (followed by a relative
// text such as "DRVCONFIG\setup.ini").
#pragma once

#include <cstddef>

// Folder of the running program without the trailing backslash, read through
// a module-path buffer of `moduleBufSize` bytes; empty when the path has no
// backslash or cannot be read.
void GetProgramFolder(char* out, size_t size, size_t moduleBufSize = 260);
// Folder of the running program up to and including its last backslash.
void GetProgramFolderSlash(char* out, size_t size, size_t moduleBufSize = 200);
// GetProgramFolder() followed by `tail` ("\\language\\setup_EN.ini").
void BuildProgramPath(char* out, size_t size, const char* tail);
// GetProgramFolderSlash() followed by `relative` ("DRVCONFIG\\setup.ini").
void BuildProgramPathRelative(char* out, size_t size, const char* relative);
