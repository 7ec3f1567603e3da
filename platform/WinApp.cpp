#include "WinApp.h"

BOOL CWinApp::InitInstance()
{
    return TRUE;
}
