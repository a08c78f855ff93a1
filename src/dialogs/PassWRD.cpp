#include "PassWRD.h"

#include "PropertiesRules.h"
#include "StorableTextValidator.h"
#include "files/ProgramState.h"
#include "platform/HelpKey.h"
#include "platform/Placement.h"
#include "platform/Platform.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>

namespace kalmur {

namespace {

// The application's style, except that a password shows "?" for each
// character.
class QuestionMarkEcho : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) {
            return '?';
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PassWRD::PassWRD(ProgramState& state, Platform& platform, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_state(state)
    , m_platform(platform) {
    setObjectName(QStringLiteral("PassWRD"));
    setProperty(HelpKey::kNoHelpProperty, true);
    setFixedSize(twips(3870), twips(1305));
    setFont(dialogFont(false));

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(twipRect(1920, 240, 1815, 285));
    m_text->setMaxLength(PropertiesRules::kPasswordLength);
    m_text->setValidator(new StorableTextValidator(m_text));
    auto* echo = new QuestionMarkEcho;
    echo->setParent(this);
    m_text->setStyle(echo);
    m_text->setEchoMode(QLineEdit::Password);
    auto* label = new QLabel(QStringLiteral("Access Password :"), this);
    label->setGeometry(
        twipRect(120, 240, 1692, 285)); // the box's height, so both texts share a line
    label->setBuddy(m_text);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setGeometry(twipRect(1440, 840, 1095, 375));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("ButtonCancel"));
    cancel->setGeometry(twipRect(2640, 840, 1095, 375));
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &PassWRD::onOk);
    connect(cancel, &QPushButton::clicked, this, &PassWRD::reject);

    m_state.dialogCancelled = false;
    setWindowTitle(QStringLiteral("Password? [ ") + m_state.displayName() + QStringLiteral(" ]"));
    Placement::centreOver(this, parent);
    m_text->setFocus();
}

void PassWRD::onOk() {
    if (PropertiesRules::passwordMatches(m_text->text(), m_state.schedule().settings().password)) {
        m_state.dialogCancelled = false;
        accept();
        return;
    }
    m_platform.beep();
    m_text->clear();
    m_text->setFocus();
}

void PassWRD::reject() {
    m_state.dialogCancelled = true;
    QDialog::reject();
}

} // namespace kalmur
