#pragma once
#include "editor/MainForm.h"
