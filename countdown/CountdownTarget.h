#pragma once

#include "countdown/DateText.h"
#include "countdown/DateValue.h"

#include <QObject>

// The moment counted down to, the model both windows observe. Stored as
// "General" / "Target", "TargetFormat" and "TargetLocale".
class CountdownTarget : public QObject
{
    Q_OBJECT
public:
    explicit CountdownTarget(QObject *parent = nullptr);

    DateValue moment() const { return m_moment; }

    // Emits changed() also for the same moment: every edit refreshes the views.
    void setMoment(const DateValue &moment);

    // Unreadable text counts as "00:00 2000/01/01" and is kept until an edit;
    // a target earlier than `now` is pulled up to it. Emits no changed().
    void load(const DateValue &now);

    // False when the store could not be written, which the store reports.
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
