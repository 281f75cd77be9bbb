#include "ProxyPrelude.h"
#include "KeyboardService_p.c"
