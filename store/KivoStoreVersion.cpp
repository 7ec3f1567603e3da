#include "KivoStoreVersion.h"

const char* KivoStore_Version(void)
{
    return KIVOSTORE_VERSION;
}
