#pragma once

#include "Platform.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QLineEdit;

namespace kalmur {

// What a field check makes of the text of a field being left.
struct FieldVerdict {
    bool accepted = true;
    QString text;           // accepted: the text the field shows from now on
    MessageRequest refusal; // refused: the message shown

    static FieldVerdict accept(QString shown) { return {true, std::move(shown), {}}; }
    static FieldVerdict refuse(MessageRequest message) { return {false, {}, std::move(message)}; }
};

// Checks a text box when the user leaves it. An accepted text is replaced by
// the check's form of it; a refused one is answered with a beep and the
// check's message, the previous text is put back and the focus returns to the
// field. Leaving for another application, a menu, or a button carrying the
// property kSkipsChecksProperty (Cancel) does not check.
class LeaveFieldCheck : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kSkipsChecksProperty = "kalmurSkipsFieldChecks";
    using Check = std::function<FieldVerdict(const QString& text)>;

    LeaveFieldCheck(QLineEdit* field, Platform& platform, Check check);

    // The text put back after a refusal. Unless set, it is the text the field
    // held when it last received the focus.
    void setRestoreText(const QString& text);
    const QString& restoreText() const { return m_restore; }

    // Checks the field now, as if it were being left; true when accepted.
    bool run();
    // Whether a check was refused since window events last ran: a button
    // clicked to leave a refused field must not act on it.
    bool refusedJustNow() const { return m_refused; }

    QLineEdit* field() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> m_field;
    Platform& m_platform;
    Check m_check;
    QString m_restore;
    bool m_fixedRestore = false;
    bool m_running = false;
    bool m_refused = false;
};

} // namespace kalmur
