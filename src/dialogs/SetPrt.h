#pragma once

#include "platform/Platform.h"

#include <QDialog>
#include <QList>

class QListWidget;

namespace kalmur {

// "Printer Setup": the system's printers as "device name, port" in the order the
// system lists them, then the program's own PDF printer; the current printer is
// selected. OK makes the selected one current for all later printing.
class SetPrt : public QDialog {
    Q_OBJECT
public:
    explicit SetPrt(Platform& platform, QWidget* parent = nullptr);

    // The printers offered, in list order.
    const QList<InstalledPrinter>& offered() const { return m_offered; }

    // The list entry of a printer.
    static QString entryText(const InstalledPrinter& printer);

private:
    void onOk();

    Platform& m_platform;
    QList<InstalledPrinter> m_offered;
    QListWidget* m_list = nullptr;
};

} // namespace kalmur
