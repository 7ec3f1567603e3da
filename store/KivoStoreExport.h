// Marks what the module exports; everything else is hidden.
#pragma once

#define KIVOSTORE_API __attribute__((visibility("default")))
