// Windows path rules for the simulated disk: names compared without case,
// backslash separators, "." and ".." folded away.
#pragma once

#include <string>

// ASCII upper case: the key under which a name or path is compared.
std::string SimFold(const std::string& str);
bool SimEqualNoCase(const std::string& a, const std::string& b);
// True when path equals folder or lies below it (both full paths).
bool SimIsInFolder(const std::string& path, const std::string& folder);
// The full path "C:\\A\\B" of a path given absolute, drive-rooted or relative
// to the current directory; empty for an unusable path.
std::string SimFullPath(const std::string& currentDirectory, const char* pszPath);
// "C:\\A\\B" gives "C:\\A" and "B"; a drive root has no parent.
std::string SimParent(const std::string& fullPath);
std::string SimLeaf(const std::string& fullPath);
// Windows wildcard match of a file name against * and ?, without case.
bool SimMatchWildcard(const std::string& pattern, const std::string& name);
