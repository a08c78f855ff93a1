#pragma once

#include <QValidator>

namespace kalmur {

// Lets a text box take only characters that the schedule's single-byte text
// fields can store, so that what is typed is what is saved.
class StorableTextValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

} // namespace kalmur
