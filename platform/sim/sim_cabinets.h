// Cabinets of the simulated machine. A simulated cabinet is a file on the
// simulated disk in this format (sizes as decimal text):
//
//     SIMCAB 1\n
//     <member name>\n<size in bytes>\n<the member's bytes>     once per member
//
// CSimSetupApi::AddCabinet writes one; SetupIterateCabinetA
// (sim_cabinets.cpp) walks it with the notifications of SetupAPI:
// SPFILENOTIFY_CABINETINFO once, then SPFILENOTIFY_FILEINCABINET for each
// member and, for a member the callback extracts, SPFILENOTIFY_FILEEXTRACTED
// after its file was written.
#pragma once

#include <string>
#include <vector>

struct SSimCabinetMember {
    std::string m_strName;
    std::string m_strBytes;
};

// The bytes of a simulated cabinet; false from the parser for other bytes.
std::string SimCabinetBytes(const std::vector<SSimCabinetMember>& members);
bool SimParseCabinet(const std::string& bytes, std::vector<SSimCabinetMember>* pMembers);
