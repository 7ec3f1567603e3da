// The module's application object, kept for the desktop framework; nothing depends on it.
#pragma once

#include "WinApp.h"

class CKivoStoreApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
