#pragma once

#include "countdown/DateText.h"
#include "countdown/DateValue.h"

#include <QObject>

// The target moment the widget counts down to: the model that both windows
// observe. It lives in the settings store as "General" / "Target", in the
// general date text, with the exact format that wrote it and the name of its
// locale beside it as "General" / "TargetFormat" and "TargetLocale".
class CountdownTarget : public QObject
{
    Q_OBJECT
public:
    explicit CountdownTarget(QObject *parent = nullptr);

    DateValue moment() const { return m_moment; }

    // Sets the target and emits changed(), also when the moment is the same:
    // every edit refreshes the views in full. The target is then changed.
    void setMoment(const DateValue &moment);

    // Reads the stored target (see DateText::fromStoredText()). A text that
    // cannot be read counts as "00:00 2000/01/01", as a first start does, and
    // is kept until setMoment() sets a new target. A target earlier than
    // `now` is pulled up to `now`. Loading is not an edit: no changed().
    void load(const DateValue &now);

    // Writes the target in the current regional settings with its format.
    // Returns false when the store could not be written; the store then
    // reports the failure in the target's words.
    bool save();

    // Writes an edited target; a target only pulled up at load only while the
    // store still holds what load() read, so that a copy whose user changed
    // nothing never replaces what another copy or a hand edit stored.
    void saveIfChanged();

signals:
    void changed();

private:
    enum class Change { None, PulledUp, Edited };

    DateValue m_moment;
    // Since the load or the last write.
    Change m_change = Change::None;
    DateText::StoredText m_loaded;
};
