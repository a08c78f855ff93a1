#include "Placement.h"
