#include "KivoStoreApp.h"

BOOL CKivoStoreApp::InitInstance()
{
    CWinApp::InitInstance();
    return TRUE;
}

namespace {
CKivoStoreApp theApp;
}
