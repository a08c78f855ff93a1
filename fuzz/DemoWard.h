#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace kalmur {
class Schedule;
}

namespace kalmur::fuzz {

class FuzzScratch;

// What the targets over the demo ward share: a working set made once (the
// demo ward over six weeks) and laid out afresh for every input, and the check
// that what an import leaves in the schedule survives closing and opening it.
class TemplateSet {
public:
    // Builds the working set in `folder` from the demo ward; aborts on failure.
    static TemplateSet demoWard(const QString& folder);

    // Replaces the contents of `folder` with the template's member files.
    void writeTo(const QString& folder) const;

private:
    std::vector<std::pair<QString, QByteArray>> m_members;
};

// What a target over the demo ward sets up once: the en_US locale, a scratch
// folder for the target and the template set in it.
struct DemoWardTarget {
    const FuzzScratch* scratch = nullptr;
    const TemplateSet* demo = nullptr;
};

// Called from LLVMFuzzerInitialize, once a process.
DemoWardTarget startDemoWardTarget(const char* purpose);

// Opens the working set in `folder` as the program does; aborts when a set
// that was just written does not open.
void openWorkingSet(Schedule& schedule);

// Everything the schedule holds, as its records would be stored, and the notes'
// text, read through the same calls the reports and the dump use.
QByteArray readEverything(const Schedule& schedule);

// Closes the schedule (as a save does) and opens its working set again: the
// reopened schedule must pass checkOpenSchedule and read back exactly what
// `schedule` held before it was closed.
void checkSurvivesReopen(Schedule& schedule, const QString& folder);

} // namespace kalmur::fuzz
