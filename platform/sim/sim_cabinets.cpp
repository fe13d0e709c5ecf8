// SetupIterateCabinetA over the simulated cabinets, with the results Windows
// documents: a missing cabinet fails with 2, other bytes with 13, and an
// abort by the callback or an error it returns ends the iteration with
// FALSE and that error. Extracted files are written like any file, so a
// target in use or in a missing folder fails the iteration with its error.
#include "platform/sim/sim_cabinets.h"

#include <cstdlib>
#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

namespace {

const char kMagic[] = "SIMCAB 1\n";

// DOS date and time of 2010-01-01 00:00, the stamp of every member.
const WORD kDosDate = ((2010 - 1980) << 9) | (1 << 5) | 1;
const WORD kDosTime = 0;

bool ReadLine(const std::string& bytes, size_t* pPos, std::string* pLine)
{
    const size_t end = bytes.find('\n', *pPos);
    if (end == std::string::npos)
        return false;
    *pLine = bytes.substr(*pPos, end - *pPos);
    *pPos = end + 1;
    return true;
}

}  // namespace

std::string SimCabinetBytes(const std::vector<SSimCabinetMember>& members)
{
    std::string bytes = kMagic;
    for (const SSimCabinetMember& member : members)
        bytes += member.m_strName + "\n" + std::to_string(member.m_strBytes.size()) + "\n" + member.m_strBytes;
    return bytes;
}

bool SimParseCabinet(const std::string& bytes, std::vector<SSimCabinetMember>* pMembers)
{
    if (bytes.compare(0, strlen(kMagic), kMagic) != 0)
        return false;
    pMembers->clear();
    size_t pos = strlen(kMagic);
    while (pos < bytes.size()) {
        SSimCabinetMember member;
        std::string size;
        if (!ReadLine(bytes, &pos, &member.m_strName) || !ReadLine(bytes, &pos, &size) || member.m_strName.empty() || size.empty() ||
            size.find_first_not_of("0123456789") != std::string::npos)
            return false;
        const size_t cbMember = strtoul(size.c_str(), nullptr, 10);
        if (cbMember > bytes.size() - pos)
            return false;
        member.m_strBytes = bytes.substr(pos, cbMember);
        pos += cbMember;
        pMembers->push_back(member);
    }
    return true;
}

void CSimSetupApi::AddCabinet(const std::string& path, const std::vector<SSimCabinetMember>& members)
{
    m_machine.Files().AddFile(path, SimCabinetBytes(members));
}

BOOL CSimSetupApi::SetupIterateCabinetA(LPCSTR CabinetFile, DWORD Reserved, PSP_FILE_CALLBACK_SEAM MsgHandler, PVOID Context)
{
    CSimCall call(m_machine, "SetupIterateCabinetA", SimArgs(CabinetFile, Reserved));
    if (call.Faulted())
        return call.Fail(FALSE);
    if (!CabinetFile || !MsgHandler)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    CSimFileSystem& files = m_machine.Files();
    const SSimFileEntry* pEntry = files.Entry(files.Resolve(CabinetFile));
    if (!pEntry || pEntry->m_bFolder)
        return call.Fail(FALSE, ERROR_FILE_NOT_FOUND);
    std::vector<SSimCabinetMember> members;
    if (!SimParseCabinet(pEntry->m_strBytes, &members))
        return call.Fail(FALSE, ERROR_INVALID_DATA);

    // The callback runs without the machine lock: it may call the platform from any thread.
    auto notify = [&](UINT nNotification, UINT_PTR param1, UINT_PTR param2) {
        call.Unlock();
        const UINT nAnswer = MsgHandler(Context, nNotification, param1, param2);
        call.Relock();
        return nAnswer;
    };
    // The folder as the program named it, with its closing backslash.
    const std::string cabinetPath = SimFullPath(m_machine.Config().m_strCurrentDirectory, CabinetFile);
    const std::string folder = SimParent(cabinetPath) + "\\";
    CABINET_INFO_A cabinetInfo = {folder.c_str(), "", "", 0, 0};
    UINT nAnswer = notify(SPFILENOTIFY_CABINETINFO, reinterpret_cast<UINT_PTR>(&cabinetInfo), 0);
    if (nAnswer != NO_ERROR)
        return call.Fail(FALSE, nAnswer);
    for (const SSimCabinetMember& member : members) {
        FILE_IN_CABINET_INFO_A fileInfo;
        memset(&fileInfo, 0, sizeof(fileInfo));
        fileInfo.NameInCabinet = member.m_strName.c_str();
        fileInfo.FileSize = static_cast<DWORD>(member.m_strBytes.size());
        fileInfo.DosDate = kDosDate;
        fileInfo.DosTime = kDosTime;
        fileInfo.DosAttribs = FILE_ATTRIBUTE_ARCHIVE;
        nAnswer = notify(SPFILENOTIFY_FILEINCABINET, reinterpret_cast<UINT_PTR>(&fileInfo), reinterpret_cast<UINT_PTR>(CabinetFile));
        if (nAnswer == FILEOP_SKIP)
            continue;
        if (nAnswer != FILEOP_DOIT)
            return call.Fail(FALSE, fileInfo.Win32Error);
        fileInfo.FullTargetName[sizeof(fileInfo.FullTargetName) - 1] = '\0';
        const std::string target = files.Resolve(fileInfo.FullTargetName);
        const DWORD dwError = target.empty() ? static_cast<DWORD>(ERROR_PATH_NOT_FOUND) : files.WriteWholeFile(target, member.m_strBytes);
        if (dwError != ERROR_SUCCESS)
            return call.Fail(FALSE, dwError);
        FILEPATHS_A paths = {fileInfo.FullTargetName, CabinetFile, NO_ERROR, 0};
        nAnswer = notify(SPFILENOTIFY_FILEEXTRACTED, reinterpret_cast<UINT_PTR>(&paths), 0);
        if (nAnswer != NO_ERROR)
            return call.Fail(FALSE, nAnswer);
    }
    SimSetLastError(NO_ERROR);
    return call.Succeed(TRUE);
}
