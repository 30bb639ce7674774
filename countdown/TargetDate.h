#pragma once

#include "DateValue.h"

#include <QString>

// The target moment in the settings store: "Taloran" / "General" / "Target",
// as general date text.
namespace TargetDate {

inline const QString defaultText = QStringLiteral("00:00 2000/01/01");

// Reads the stored target. A text that cannot be read counts as the default,
// and the stored text is left alone. A target earlier than `now` is pulled up
// to `now`.
DateValue load(const DateValue &now);

// Writes the general date text of `target`. Returns false when the store
// could not be written.
bool save(const DateValue &target);

} // namespace TargetDate
