#include "text/Platform.h"

bool UnicodePlatform = true;
