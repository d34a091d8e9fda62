/* Linked by lld-link against Tavrin.lib alone (and ExitProcess): the module's
 * four functions bind by name, a panel is created and destroyed, and the exit
 * code says whether the panel existed. */
#include "Tavrin.h"

/* The entry point; __cdecl so that its name is the same on both targets. */
void ProbeMain(void)
{
    HWND hPanel = NULL;
    MSG msg = {0};
    QmUIFunInitialize(0);
    QmUIFunEnter(NULL, &hPanel, 0);
    DllPreTranslateMessage(&msg);
    QmUIFunUnInitialize(0);
    ExitProcess(hPanel ? 0 : 1);
}
