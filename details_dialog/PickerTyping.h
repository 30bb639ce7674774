#pragma once

#include <QDateTime>
#include <QObject>
#include <QStringList>

#include <optional>

class QDateTimeEdit;
class QLineEdit;

// Typing a whole date or time into a picker the way people write one:
// "14:30:15", "9:05:07", "31/12/2030" or "143015", from the field where the
// typing starts. Digits fill that field and run on into the next ones; a
// field is done when it is full or when a separator is typed, and a
// separator right after a field that is already done only confirms it
// (Qt's picker would skip the next field as well).
//
// Each digit sets the picker at once when the fields typed so far, with the
// others as they were, make a value in the picker's range. Otherwise the
// typed text is shown and held, such as day 31 while the month is still
// June. When the typing ends (the last field is full, or any other key,
// click, wheel turn or focus change), a year typed with two digits is taken
// as the platform reads one ("27" is 2027), and what was typed and is still
// no value sends the picker back to the value it had before the typing began.
//
// Arrows, Backspace and the rest keep Qt's own behaviour, as do pickers whose
// format has fields other than plain numbers.
class PickerTyping : public QObject
{
    Q_OBJECT
public:
    // Watches `picker`'s keys; lives as its child.
    explicit PickerTyping(QDateTimeEdit *picker);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handlesFormat() const;
    void startTyping();
    void typeDigit(int digit);
    void typeSeparator();
    // Sets the picker to what has been typed, or shows the typed text.
    void update();
    // Ends the typing: a value that was only held is refused.
    void finish();
    // The value the typed fields make, when it is one the picker takes;
    // once the typing has ended, with a two-digit year widened.
    std::optional<QDateTime> typedValue(bool ended = false) const;
    bool isFull(int field) const;
    QString heldText() const;
    void setPickerValue(const QDateTime &value);

    QDateTimeEdit *m_picker;
    QLineEdit *m_edit;
    bool m_typing = false;
    bool m_settingValue = false;
    int m_firstSection = 0;   // where the typing began
    int m_field = 0;          // the field being typed, counted from m_firstSection
    bool m_fieldDone = false; // a separator ended the field being typed
    QStringList m_digits;     // ASCII digits typed per field from m_firstSection
    QDateTime m_before;
};
