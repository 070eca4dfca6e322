#pragma once
// pxlib's header declares its functions without C linkage.
extern "C" {
#include <paradox.h>
}
