#include "ProxyPrelude.h"
#include "EmulatorControl_p.c"
