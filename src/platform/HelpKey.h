#pragma once

#include <QObject>

namespace kalmur {

class Platform;

// F1 in any window of the program opens the help manual at its contents. One
// filter on the application serves every window; a window whose dynamic
// property kNoHelpProperty is true offers no help (the password prompt).
class HelpKey : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kNoHelpProperty = "kalmurNoHelp";

    // Installs the filter on the running application; it lives as long as the
    // application (or until deleted).
    static HelpKey* install(Platform& platform);

    explicit HelpKey(Platform& platform, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Platform& m_platform;
};

} // namespace kalmur
