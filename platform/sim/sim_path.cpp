#include "platform/sim/sim_path.h"

#include <vector>

std::string SimFold(const std::string& str)
{
    std::string folded(str);
    for (char& c : folded) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return folded;
}

bool SimEqualNoCase(const std::string& a, const std::string& b)
{
    return SimFold(a) == SimFold(b);
}

bool SimIsInFolder(const std::string& path, const std::string& folder)
{
    const std::string p = SimFold(path);
    const std::string f = SimFold(folder);
    return p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '\\');
}

std::string SimFullPath(const std::string& currentDirectory, const char* pszPath)
{
    if (!pszPath || !*pszPath)
        return std::string();
    std::string path(pszPath);
    for (char& c : path) {
        if (c == '/')
            c = '\\';
    }
    std::string drive;
    std::string rest;
    if (path.size() >= 2 && path[1] == ':') {
        drive = path.substr(0, 2);
        rest = path.substr(2);
    } else if (path[0] == '\\') {
        if (path.size() > 1 && path[1] == '\\')
            return std::string();  // UNC paths have no place on the simulated disk
        drive = currentDirectory.substr(0, 2);
        rest = path;
    } else {
        drive = currentDirectory.substr(0, 2);
        rest = currentDirectory.substr(2) + "\\" + path;
    }
    if (drive[0] >= 'a' && drive[0] <= 'z')
        drive[0] = static_cast<char>(drive[0] - 'a' + 'A');

    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        const std::string part = rest.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string full = drive;
    for (const std::string& part : parts)
        full += "\\" + part;
    return full;
}

std::string SimParent(const std::string& fullPath)
{
    const size_t slash = fullPath.rfind('\\');
    return slash == std::string::npos ? std::string() : fullPath.substr(0, slash);
}

std::string SimLeaf(const std::string& fullPath)
{
    const size_t slash = fullPath.rfind('\\');
    return slash == std::string::npos ? fullPath : fullPath.substr(slash + 1);
}

static bool MatchFrom(const std::string& p, size_t i, const std::string& n, size_t j)
{
    while (i < p.size()) {
        if (p[i] == '*') {
            for (size_t k = j; k <= n.size(); ++k) {
                if (MatchFrom(p, i + 1, n, k))
                    return true;
            }
            return false;
        }
        if (j >= n.size() || (p[i] != '?' && p[i] != n[j]))
            return false;
        ++i;
        ++j;
    }
    return j == n.size();
}

bool SimMatchWildcard(const std::string& pattern, const std::string& name)
{
    // "*.*" is every name, also one without a dot, as on Windows.
    const std::string p = pattern == "*.*" ? std::string("*") : SimFold(pattern);
    return MatchFrom(p, 0, SimFold(name), 0);
}
