// The pieces every conformance case uses: the host that prepares files, the
// check that collects what went wrong, and the case record.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

// What a case needs beyond the platform: a scratch folder and a way to put
// files there (the seam reads files but does not write them).
class IConformanceHost {
public:
    virtual ~IConformanceHost() = default;
    // An empty folder for the cases' files, without a trailing backslash.
    virtual std::string ScratchFolder() = 0;
    virtual bool WriteTestFile(const std::string& path, const std::string& bytes) = 0;
    // A printer driver configuration library at path: a real one where a
    // real spooler loads it.
    virtual bool WriteDriverUi(const std::string& path) = 0;
    // A cabinet of the platform's format holding the members (name, bytes).
    virtual bool WriteCabinet(const std::string& path, const std::vector<std::pair<std::string, std::string>>& members) = 0;
};

// Collects the failed expectations of one case.
class CConformanceCheck {
public:
    void Expect(bool bOk, const std::string& what)
    {
        if (!bOk)
            m_failures.push_back(what);
    }
    void Equal(long long actual, long long expected, const std::string& what)
    {
        Expect(actual == expected, what + ": got " + std::to_string(actual) + ", expected " + std::to_string(expected));
    }
    void Equal(const std::string& actual, const std::string& expected, const std::string& what)
    {
        Expect(actual == expected, what + ": got \"" + actual + "\", expected \"" + expected + "\"");
    }
    // The case does not apply to this machine (e.g. a 64-bit view on 32-bit Windows).
    void Skip(const std::string& why) { m_strSkipped = why; }

    std::vector<std::string> m_failures;
    std::string m_strSkipped;
};

struct SConformanceCase {
    const char* m_pszGroup;
    const char* m_pszName;
    void (*m_pfnRun)(IPlatform& platform, IConformanceHost& host, CConformanceCheck& check);
    // What Wine 8 does otherwise than Windows here, or nullptr.
    const char* m_pszWineDiffers;
};
