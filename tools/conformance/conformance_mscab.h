// A Microsoft cabinet of stored (uncompressed) members, as the real SetupAPI
// reads it: a header, one folder, the file records, then the members' bytes
// in data blocks of at most 32 KB without checksums.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace conformance_mscab {

inline void PutWord(std::string& bytes, unsigned value)
{
    bytes += static_cast<char>(value & 0xFF);
    bytes += static_cast<char>((value >> 8) & 0xFF);
}

inline void PutDword(std::string& bytes, unsigned long value)
{
    PutWord(bytes, static_cast<unsigned>(value & 0xFFFF));
    PutWord(bytes, static_cast<unsigned>((value >> 16) & 0xFFFF));
}

inline std::string Build(const std::vector<std::pair<std::string, std::string>>& members)
{
    const size_t kHeader = 36;
    const size_t kFolder = 8;
    const size_t kBlock = 32768;
    std::string files;
    std::string data;
    for (const auto& member : members) {
        PutDword(files, member.second.size());
        PutDword(files, data.size());  // offset in the folder's stream
        PutWord(files, 0);             // folder 0
        PutWord(files, ((2010 - 1980) << 9) | (1 << 5) | 1);
        PutWord(files, 0);
        PutWord(files, 0x20);  // archive
        files += member.first;
        files += '\0';
        data += member.second;
    }
    std::string blocks;
    size_t nBlocks = 0;
    for (size_t offset = 0; offset < data.size(); offset += kBlock, ++nBlocks) {
        const std::string chunk = data.substr(offset, kBlock);
        PutDword(blocks, 0);  // no checksum
        PutWord(blocks, static_cast<unsigned>(chunk.size()));
        PutWord(blocks, static_cast<unsigned>(chunk.size()));
        blocks += chunk;
    }
    const size_t cbFilesStart = kHeader + kFolder;
    const size_t cbDataStart = cbFilesStart + files.size();
    std::string cabinet = "MSCF";
    PutDword(cabinet, 0);
    PutDword(cabinet, cbDataStart + blocks.size());
    PutDword(cabinet, 0);
    PutDword(cabinet, cbFilesStart);
    PutDword(cabinet, 0);
    cabinet += static_cast<char>(3);  // format 1.3
    cabinet += static_cast<char>(1);
    PutWord(cabinet, 1);  // folders
    PutWord(cabinet, static_cast<unsigned>(members.size()));
    PutWord(cabinet, 0);  // flags
    PutWord(cabinet, 0);  // set id
    PutWord(cabinet, 0);  // cabinet number
    PutDword(cabinet, cbDataStart);
    PutWord(cabinet, static_cast<unsigned>(nBlocks));
    PutWord(cabinet, 0);  // stored, no compression
    return cabinet + files + blocks;
}

}  // namespace conformance_mscab
