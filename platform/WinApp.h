// Minimal stand-in for the desktop framework's application object.
#pragma once

#include "PlatformTypes.h"

class CWinApp {
public:
    virtual ~CWinApp() = default;
    virtual BOOL InitInstance();
};
