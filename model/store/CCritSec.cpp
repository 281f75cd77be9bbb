#include "model/store/CCritSec.h"

CCritSec::CCritSec() { Lock(); }

CCritSec::~CCritSec() { Unlock(); }
