#include "AFX_THREAD_STATE.h"

AFX_THREAD_STATE* AfxGetThreadState()
{
    static thread_local AFX_THREAD_STATE t_state;
    return &t_state;
}
