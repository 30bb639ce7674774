#include "DateText.h"
// Placeholder until the real implementation lands.
namespace DateText {
QString general(const DateValue &, const QLocale &) { return {}; }
std::optional<DateValue> read(const QString &, const QLocale &) { return DateValue::fromParts(2000, 1, 1); }
QString shortDateFormat(const QLocale &) { return QStringLiteral("yyyy-MM-dd"); }
QString longTimeFormat(const QLocale &) { return QStringLiteral("HH:mm:ss"); }
}
