#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kalmur {

class Platform;
class ProgramState;

// "Password?": asks for the access password of the schedule being opened. A
// wrong password only beeps and empties the field; there is no limit on tries.
// Every typed character shows as "?". No help is offered while it is open.
class PassWRD : public QDialog {
    Q_OBJECT
public:
    PassWRD(ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    void reject() override;

private:
    void onOk();

    ProgramState& m_state;
    Platform& m_platform;
    QLineEdit* m_text = nullptr;
};

} // namespace kalmur
