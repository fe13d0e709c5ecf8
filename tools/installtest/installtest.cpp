// installtest: the Wine end-to-end test's program. Placed beside setup.exe in
// a distribution folder, it runs the installation the way the wizard starts
// it and reads back what the real spooler and the maker's libraries report.
//
//   installtest install model=VX-R80 class=0 os=7 port=COM1: [raster=0]
//                       [default=0] [baud=9600] [bytesize=8] [stopbits=1]
//                       [parity=N] [protocol=p]
//   installtest printer NAME | driver NAME | devmode PRINTER
//   installtest ports | monitors | processors | default
//   installtest version FILE... | exports FILE NAME...
//   installtest addmonitor NAME LIBRARY
//   installtest portrequest MONITOR AddPort|DeletePort PORT
//   installtest hold LIBRARY MILLISECONDS   (keeps it loaded, and so locked)
//
// Exit code: 0 success (install: worker state 2), 1 failure, 2 usage.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <windows.h>

#include "common/SafeStr.h"
#include "platform/platform.h"
#include "setup/engine/InstallEngine.h"
#include "tools/installtest/InstallRun.h"
#include "tools/installtest/SpoolerQueries.h"
#include "tools/installtest/WinePlatform.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: installtest install key=value... | printer NAME | driver NAME | devmode PRINTER |\n"
                         "       ports | monitors | processors | default | version FILE... | exports FILE NAME... |\n"
                         "       addmonitor NAME LIBRARY | portrequest MONITOR REQUEST PORT | hold LIBRARY MILLISECONDS\n");
    return 2;
}

bool KeyIs(const char* key, size_t length, const char* name)
{
    return strlen(name) == length && strncmp(key, name, length) == 0;
}

// Reads one "key=value" argument into the request; false for an unknown key
// or a value that does not fit.
bool ParseSetting(SInstallRequest& request, const char* argument)
{
    const char* equals = strchr(argument, '=');
    if (!equals)
        return false;
    size_t length = static_cast<size_t>(equals - argument);
    const char* value = equals + 1;
    if (KeyIs(argument, length, "model"))
        return SafeCopy(request.szModel, value);
    if (KeyIs(argument, length, "port"))
        return SafeCopy(request.szPort, value);
    if (KeyIs(argument, length, "parity")) {
        request.cParity = value[0];
        return true;
    }
    if (KeyIs(argument, length, "protocol")) {
        request.cProtocol = value[0] ? value[0] : ' ';  // empty: no flow control
        return true;
    }
    if (KeyIs(argument, length, "stopbits")) {
        request.dStopBits = std::atof(value);
        return true;
    }
    static const struct {
        const char* name;
        int SInstallRequest::*member;
    } kInts[] = {{"class", &SInstallRequest::nClass}, {"os", &SInstallRequest::nOsType},
                 {"raster", &SInstallRequest::bRaster}, {"default", &SInstallRequest::bSetDefault},
                 {"baud", &SInstallRequest::nBaudRate}, {"bytesize", &SInstallRequest::nByteSize}};
    for (const auto& setting : kInts) {
        if (KeyIs(argument, length, setting.name)) {
            request.*setting.member = std::atoi(value);
            return true;
        }
    }
    return false;
}

int Install(int argc, char** argv)
{
    SInstallRequest request;
    for (int i = 2; i < argc; ++i) {
        if (!ParseSetting(request, argv[i])) {
            std::fprintf(stderr, "installtest: bad setting %s\n", argv[i]);
            return 2;
        }
    }
    if (!request.szModel[0] || !request.szPort[0])
        return Usage();
    return RunInstall(request) == kWorkerSucceeded ? 0 : 1;
}

// Keeps a library loaded the way a running spooler keeps its monitors, so
// that copying over it fails as it does then; "loaded" tells the caller when.
int HoldLibrary(const char* path, const char* milliseconds)
{
    HMODULE library = LoadLibraryA(path);
    if (!library) {
        std::printf("error: LoadLibraryA failed (%lu)\n", GetLastError());
        return 1;
    }
    std::printf("loaded\n");
    Sleep(static_cast<DWORD>(std::atol(milliseconds)));
    FreeLibrary(library);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    static CWinePlatform s_platform;
    SetCurrentPlatform(&s_platform);
    setvbuf(stdout, nullptr, _IONBF, 0);  // the worker thread prints too
    if (argc < 2)
        return Usage();
    const char* command = argv[1];
    auto is = [&](const char* name, int arguments) { return strcmp(command, name) == 0 && argc == 2 + arguments; };
    if (strcmp(command, "install") == 0)
        return Install(argc, argv);
    if (is("printer", 1))
        return PrintPrinter(argv[2]);
    if (is("driver", 1))
        return PrintDriver(argv[2]);
    if (is("devmode", 1))
        return PrintDevmode(argv[2]);
    if (is("ports", 0))
        return PrintPorts();
    if (is("monitors", 0))
        return PrintMonitors();
    if (is("processors", 0))
        return PrintProcessors();
    if (is("default", 0))
        return PrintDefaultPrinter();
    if (strcmp(command, "version") == 0 && argc >= 3)
        return PrintFileVersions(argc - 2, argv + 2);
    if (strcmp(command, "exports") == 0 && argc >= 4)
        return PrintExports(argv[2], argc - 3, argv + 3);
    if (is("addmonitor", 2))
        return AddMonitor(argv[2], argv[3]);
    if (is("portrequest", 3))
        return SendPortRequest(argv[2], argv[3], argv[4]);
    if (is("hold", 2))
        return HoldLibrary(argv[2], argv[3]);
    return Usage();
}
