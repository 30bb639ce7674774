#pragma once

#include "DateValue.h"

#include <QObject>

#include <optional>

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
    // every edit refreshes the views in full.
    void setMoment(const DateValue &moment);

    // Reads the stored target in the format that wrote it; a text changed
    // since, or stored by an earlier build, under the regional settings that
    // wrote it first, then under the current ones. A text that cannot be read counts
    // as "00:00 2000/01/01", as a first start does, and the stored text is
    // kept: save() leaves it alone until setMoment() sets a new target. A
    // target earlier than `now` is pulled up to `now`. Loading is not an
    // edit: no changed().
    void load(const DateValue &now);

    // Writes the target in the current regional settings with its format, and
    // remembers what was written. Returns false when the store could not be
    // written.
    bool save();

    // Writes the target unless it has been written before and has not
    // changed since: what the end of the program needs, after an edit made
    // once the main window had closed.
    void saveIfChanged();

signals:
    void changed();

private:
    DateValue m_moment;
    std::optional<DateValue> m_saved;
    // The stored text could not be read and no target has been set since.
    bool m_keepStored = false;
};
