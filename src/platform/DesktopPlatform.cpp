#include "DesktopPlatform.h"
