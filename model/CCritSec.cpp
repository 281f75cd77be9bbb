#include "model/CCritSec.h"

CCritSec::CCritSec() { Lock(); }

CCritSec::~CCritSec() { Unlock(); }
