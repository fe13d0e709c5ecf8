#include "platform/sim/sim_system.h"

namespace {

struct SMessage {
    DWORD m_dwId;
    const char* m_pszText;
};

// English system messages as FormatMessage gives them.
const SMessage kMessages[] = {
    {0, "The operation completed successfully.\r\n"},
    {1, "Incorrect function.\r\n"},
    {2, "The system cannot find the file specified.\r\n"},
    {3, "The system cannot find the path specified.\r\n"},
    {5, "Access is denied.\r\n"},
    {6, "The handle is invalid.\r\n"},
    {8, "Not enough storage is available to process this command.\r\n"},
    {11, "An attempt was made to load a program with an incorrect format.\r\n"},
    {13, "The data is invalid.\r\n"},
    {14, "Not enough storage is available to complete this operation.\r\n"},
    {18, "There are no more files.\r\n"},
    {32, "The process cannot access the file because it is being used by another process.\r\n"},
    {50, "The request is not supported.\r\n"},
    {80, "The file exists.\r\n"},
    {87, "The parameter is incorrect.\r\n"},
    {120, "This function is not supported on this system.\r\n"},
    {122, "The data area passed to a system call is too small.\r\n"},
    {123, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {124, "The system call level is not correct.\r\n"},
    {126, "The specified module could not be found.\r\n"},
    {127, "The specified procedure could not be found.\r\n"},
    {170, "The requested resource is in use.\r\n"},
    {183, "Cannot create a file when that file already exists.\r\n"},
    {234, "More data is available.\r\n"},
    {259, "No more data is available.\r\n"},
    {1003, "Cannot complete this function.\r\n"},
    {1008, "An attempt was made to reference a token that does not exist.\r\n"},
    {1010, "The configuration registry key is invalid.\r\n"},
    {1018, "Illegal operation attempted on a registry key that has been marked for deletion.\r\n"},
    {1052, "The requested control is not valid for this service.\r\n"},
    {1053, "The service did not respond to the start or control request in a timely fashion.\r\n"},
    {1056, "An instance of the service is already running.\r\n"},
    {1058, "The service cannot be started, either because it is disabled or because it has no enabled devices associated with it.\r\n"},
    {1060, "The specified service does not exist as an installed service.\r\n"},
    {1061, "The service cannot accept control messages at this time.\r\n"},
    {1062, "The service has not been started.\r\n"},
    {1223, "The operation was canceled by the user.\r\n"},
    {1300, "Not all privileges or groups referenced are assigned to the caller.\r\n"},
    {1313, "A specified privilege does not exist.\r\n"},
    {1314, "A required privilege is not held by the client.\r\n"},
    {1400, "Invalid window handle.\r\n"},
    {1722, "The RPC server is unavailable.\r\n"},
    {1784, "The supplied user buffer is not valid for the requested operation.\r\n"},
    {1795, "The specified printer driver is already installed.\r\n"},
    {1796, "The specified port is unknown.\r\n"},
    {1797, "The printer driver is unknown.\r\n"},
    {1798, "The print processor is unknown.\r\n"},
    {1801, "The printer name is invalid.\r\n"},
    {1802, "The printer already exists.\r\n"},
    {1804, "The specified datatype is invalid.\r\n"},
    {1805, "The environment specified is invalid.\r\n"},
    {1812, "The specified image file did not contain a resource section.\r\n"},
    {1813, "The specified resource type cannot be found in the image file.\r\n"},
    {3000, "The specified print monitor is unknown.\r\n"},
    {3001, "The specified printer driver is currently in use.\r\n"},
    {3005, "The specified print processor has already been installed.\r\n"},
    {3006, "The specified print monitor has already been installed.\r\n"},
    {3008, "The specified print monitor is currently in use.\r\n"},
};

}  // namespace

const char* SimSystemMessage(DWORD dwMessageId)
{
    for (const SMessage& message : kMessages) {
        if (message.m_dwId == dwMessageId)
            return message.m_pszText;
    }
    return nullptr;
}
