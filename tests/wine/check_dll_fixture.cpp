// A DLL with the two faults check-dll.sh exists to catch: an export besides the
// plug-in's one, and an import of a DLL that is not part of Windows.
#include <winsock2.h>

extern "C" __declspec(dllexport) int winampGetMediaLibraryPlugin() {
    return WSAGetLastError();
}
extern "C" __declspec(dllexport) int tgFixtureExtraExport() {
    return 0;
}
