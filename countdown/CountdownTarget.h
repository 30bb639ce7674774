#pragma once

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

    // Reads the stored target in the format that wrote it; a text changed
    // since, or stored by an earlier build, under the regional settings that
    // wrote it first, then under the current ones. A text that cannot be read counts
    // as "00:00 2000/01/01", as a first start does, and the stored text is
    // kept: it is not changed until setMoment() sets a new target. A target
    // earlier than `now` is pulled up to `now`, which changes it. Loading is
    // not an edit: no changed().
    void load(const DateValue &now);

    // Writes the target in the current regional settings with its format.
    // Returns false when the store could not be written; the store then
    // reports the failure in the target's words.
    bool save();

    // Writes the target only when it is changed (an edit, or the pull-up at
    // load, since the last write), so that a copy that changed nothing
    // leaves the store as it is, with whatever another copy or a hand edit
    // has put there meanwhile.
    void saveIfChanged();

signals:
    void changed();

private:
    DateValue m_moment;
    // Changed by this copy since it was loaded or last written: an edit, or
    // the pull-up of a past target at load.
    bool m_changed = false;
};
