#pragma once

#include "model/records/ExplanationTable.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QLabel;
class QLineEdit;
class QListWidget;

namespace kalmur {

class Platform;
class ProgramState;
class QuickKeyCapture;

// "Define Explanations": description, abbreviation and quick key of the 99
// explanations. The dialog edits copies (the descriptions live in its list
// entries "01, Personal"); the schedule's table and file change only on OK.
class DefExp : public QDialog {
    Q_OBJECT
public:
    DefExp(ProgramState& state, Platform& platform, QWidget* parent = nullptr);

    void reject() override;
    // Shows explanation `number` (1..99), as if its entry had been clicked.
    void showExplanation(int number);

    // The entry of explanation n: "01, " and the description.
    static QString entryText(int number, const QString& description);

private:
    void build();
    void fill();
    void onSelected(int row);
    void onDescriptionEdited(const QString& text);
    void onAbbreviationEdited(const QString& text);
    void pickQuickKey(std::uint8_t key);
    void showClash();
    void onOk();
    int currentIndex() const;

    ProgramState& m_state;
    Platform& m_platform;
    std::array<QString, ExplanationTable::kCount> m_abbreviations;
    std::array<std::uint8_t, ExplanationTable::kCount> m_quickKeys{};

    QLineEdit* m_description = nullptr;
    QLineEdit* m_abbr = nullptr;
    QLineEdit* m_quickKey = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_clash = nullptr;
    QuickKeyCapture* m_capture = nullptr;
};

// Shows "Define Explanations" over `parent` for the open schedule, on
// explanation `first` (1..99) when given, otherwise on the first. True when
// OK stored the table: the caller then refills its explanation list, rebuilds
// the quick keys and repaints the cells.
bool editExplanations(ProgramState& state, Platform& platform, QWidget* parent, int first = 0);

} // namespace kalmur
