#pragma once

// The Error box for a file that could not be written lives with the platform,
// where the main window's commands reach it too.
#include "platform/WriteFailure.h"
