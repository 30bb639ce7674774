#pragma once

#include "DateValue.h"

#include <QObject>

#include <optional>

// The target moment the widget counts down to: the model that both windows
// observe. It lives in the settings store as "General" / "Target", in the
// general date text.
class CountdownTarget : public QObject
{
    Q_OBJECT
public:
    explicit CountdownTarget(QObject *parent = nullptr);

    DateValue moment() const { return m_moment; }

    // Sets the target and emits changed(), also when the moment is the same:
    // every edit refreshes the views in full.
    void setMoment(const DateValue &moment);

    // Reads the stored target. A text that cannot be read counts as
    // "00:00 2000/01/01", and the stored text is left alone. A target earlier
    // than `now` is pulled up to `now`. Loading is not an edit: no changed().
    void load(const DateValue &now);

    // Writes the target and remembers what was written. Returns false when
    // the store could not be written.
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
};
