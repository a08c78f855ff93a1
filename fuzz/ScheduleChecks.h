#pragma once

#include <QString>

namespace kalmur {
class Schedule;
}

namespace kalmur::fuzz {

// Reports a broken invariant on standard error and aborts, so that libFuzzer
// records the input as a crash.
[[noreturn]] void broken(const char* what, const QString& detail = {});

// What an open schedule must look like whatever its files held: a range of at
// least one day, a window inside it, a current view format 1 to 5 and a row
// order that shows every slot exactly once.
void checkOpenSchedule(const Schedule& schedule);

} // namespace kalmur::fuzz
