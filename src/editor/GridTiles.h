#pragma once

#include "view/CellText.h"
#include "view/GridMetrics.h"

#include <QByteArray>
#include <QString>

namespace kalmur::GridTiles {

// Names of the tiles the main window's areas keep (see TileCache): every field
// that decides a tile's look, each with its length, so that different tiles
// never share a name.

// What every tile depends on beyond its own name and size: the font and the
// text line, mark and padding sizes.
QByteArray style(const GridMetrics& metrics);
// A cell of the grid.
QByteArray cell(const CellContent& content);
// A tile of one or two texts (a ruler day, a row label, a total) drawn with
// the given flags.
QByteArray text(int flags, const QString& first, const QString& second = {});

} // namespace kalmur::GridTiles
