#pragma once

#include <QDateEdit>
#include <QDateTime>
#include <QStringList>
#include <QTimeEdit>

#include <optional>

// A date or time picker that takes a whole value typed as people write one
// ("14:30:15", "9:5:7", "31/12/2030", "143015") from the field where the
// typing starts: digits run on into the next field once one is full, and a
// separator ends a field (after a full one it only confirms it, where Qt would
// skip the next field too). A value the picker takes is set at each digit; one
// it does not take yet, such as day 31 while the month is June, is held on
// screen until the typing ends (last field full, or any other key, click,
// wheel turn or focus change). Then a two-digit year is widened as the
// platform reads one, and what is still no value puts the picker back.
// Formats with fields other than plain numbers keep Qt's typing. Tab leaves
// the picker instead of walking its fields. The text stays inside the field
// whatever fonts its digits fall back to.
template <typename Edit>
class TypedPicker : public Edit
{
public:
    explicit TypedPicker(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    QValidator::State validate(QString &input, int &pos) const override;

private:
    bool handlesFormat() const;
    void typeDigit(int digit);
    void typeSeparator();
    void finish();
    // The value the typed fields make, when the picker takes it; once the
    // typing has ended, with a two-digit year widened.
    std::optional<QDateTime> typedValue(bool ended = false) const;
    bool isFull(int field) const;
    QString heldText() const;
    void setDateOrTime(const QDateTime &value);

    bool m_typing = false;
    int m_firstSection = 0;   // where the typing began
    int m_field = 0;          // the field being typed, counted from m_firstSection
    bool m_fieldDone = false; // a separator ended the field being typed
    QStringList m_digits;     // ASCII digits typed per field from m_firstSection
    QDateTime m_before;
};

using DatePicker = TypedPicker<QDateEdit>;
using TimePicker = TypedPicker<QTimeEdit>;
