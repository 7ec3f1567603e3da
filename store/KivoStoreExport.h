// Marks what the module exports; everything else is hidden. The mark lives with the
// platform types so that the shared records below the store can carry it too.
#pragma once

#include "PlatformTypes.h"
