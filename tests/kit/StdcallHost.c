/* A host compiled as with /Gz (every function __stdcall unless it says otherwise), in
 * Microsoft mode, and linked by the Microsoft-style linker against Quorvel.lib: the
 * header must spell the export's convention, or the host asks for the decorated
 * stdcall name (_DLL_CreateConference@12), which the DLL does not export. */
#include "Quorvel.h"

int HostEntry(void) {
    /* The function type matches the declaration under any default convention. */
    PFN_DLL_CreateConference create = DLL_CreateConference;
    return create != 0 && QUORVEL_RESULT_CONFIRMED == 1 && QUORVEL_RESULT_CANCELLED == 2 ? 0 : 1;
}
