#pragma once
#include "model/records/ViewFormat.h"
#include <QFileDialog>
