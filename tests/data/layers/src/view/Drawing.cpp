#include "model/schedule/Schedule.h"
#include "view/GridPainter.h"
#include <QPainter>
#include <QWidget>
