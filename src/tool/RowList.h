#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace kalmur {

// A list of display rows such as "1,3-7" as the commands take it with --rows;
// nothing when it is not one (rows lie in 1..200).
std::optional<std::vector<int>> readRowList(const QString& text);

} // namespace kalmur
