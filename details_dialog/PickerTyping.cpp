#include "details_dialog/PickerTyping.h"

#include "countdown/DateText.h"
#include "platform/RegionalSettings.h"

#include <QApplication>
#include <QDateTimeEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QValidator>

namespace {

using Section = QDateTimeEdit::Section;

int widthOf(Section section)
{
    return section == QDateTimeEdit::YearSection ? 4 : 2;
}

int largestOf(Section section)
{
    switch (section) {
    case QDateTimeEdit::DaySection: return 31;
    case QDateTimeEdit::MonthSection: return 12;
    case QDateTimeEdit::YearSection: return 9999;
    case QDateTimeEdit::HourSection: return 23;
    default: return 59; // minutes and seconds
    }
}

} // namespace

PickerTyping::PickerTyping(QDateTimeEdit *picker)
    : QObject(picker), m_picker(picker), m_edit(picker->findChild<QLineEdit *>())
{
    picker->installEventFilter(this);
    if (m_edit)
        m_edit->installEventFilter(this);
    // A value set from elsewhere (the calendar, a program) ends the typing.
    connect(picker, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!m_settingValue)
            m_typing = false;
    });
}

bool PickerTyping::handlesFormat() const
{
    static const QStringList numeric{"d", "dd", "M", "MM", "yyyy", "H", "HH", "m", "mm", "s", "ss"};
    const QList<DateText::FormatPiece> pieces = DateText::splitFormat(m_picker->displayFormat());
    const auto fields = std::count_if(pieces.cbegin(), pieces.cend(), [](const auto &piece) {
        return piece.kind == DateText::FormatPiece::Field;
    });
    return m_edit && fields == m_picker->sectionCount()
        && std::all_of(pieces.cbegin(), pieces.cend(), [](const auto &piece) {
               return piece.kind != DateText::FormatPiece::Field || numeric.contains(piece.text);
           });
}

bool PickerTyping::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (watched != m_picker)
            break;
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        const bool plain = !(key->modifiers()
                             & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && text.size() == 1) {
            const QChar c = text.front();
            const int digit = c.digitValue();
            if (digit >= 0 && digit <= 9 && handlesFormat()) {
                if (!m_typing)
                    startTyping();
                typeDigit(digit);
                return true;
            }
            if (m_typing && c.isPrint() && !c.isLetterOrNumber()) {
                typeSeparator();
                return true;
            }
        }
        finish();
        break;
    }
    case QEvent::FocusOut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
        finish();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PickerTyping::startTyping()
{
    m_typing = true;
    m_firstSection = m_picker->currentSectionIndex();
    m_field = 0;
    m_fieldDone = false;
    m_digits = QStringList(m_picker->sectionCount() - m_firstSection);
    m_before = m_picker->dateTime();
}

bool PickerTyping::isFull(int field) const
{
    const QString &digits = m_digits.at(field);
    const Section section = m_picker->sectionAt(m_firstSection + field);
    // Full when no further digit could keep the number in range: "9" is a
    // whole hour, "2" is not.
    return digits.size() >= widthOf(section) || digits.toInt() * 10 > largestOf(section);
}

void PickerTyping::typeDigit(int digit)
{
    if (m_fieldDone || (!m_digits.at(m_field).isEmpty() && isFull(m_field))) {
        ++m_field;
        m_fieldDone = false;
    }
    m_digits[m_field] += QChar(u'0' + digit);
    update();
    if (m_field == m_digits.size() - 1 && isFull(m_field))
        finish();
}

void PickerTyping::typeSeparator()
{
    if (m_digits.at(m_field).isEmpty())
        return;
    m_fieldDone = true;
    if (m_field == m_digits.size() - 1)
        finish();
}

std::optional<QDateTime> PickerTyping::typedValue(bool ended) const
{
    int year = m_before.date().year(), month = m_before.date().month(), day = m_before.date().day();
    int hour = m_before.time().hour(), minute = m_before.time().minute();
    int second = m_before.time().second();
    for (int field = 0; field < m_digits.size(); ++field) {
        if (m_digits.at(field).isEmpty())
            continue;
        const int value = m_digits.at(field).toInt();
        switch (m_picker->sectionAt(m_firstSection + field)) {
        case QDateTimeEdit::DaySection: day = value; break;
        case QDateTimeEdit::MonthSection: month = value; break;
        case QDateTimeEdit::YearSection:
            year = value;
            // A year left at two digits is one of the hundred years up to
            // the platform's latest.
            if (ended && m_digits.at(field).size() == 2)
                year = RegionalSettings::widenTwoDigitYear(value);
            break;
        case QDateTimeEdit::HourSection: hour = value; break;
        case QDateTimeEdit::MinuteSection: minute = value; break;
        case QDateTimeEdit::SecondSection: second = value; break;
        default: break;
        }
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid() || date < m_picker->minimumDate()
        || date > m_picker->maximumDate() || time < m_picker->minimumTime()
        || time > m_picker->maximumTime())
        return std::nullopt;
    return QDateTime(date, time, m_before.timeSpec());
}

void PickerTyping::setPickerValue(const QDateTime &value)
{
    m_settingValue = true;
    // Date and time apart, so that a time in a daylight-saving gap of the
    // picker's date is not moved.
    if (m_picker->displayedSections() & QDateTimeEdit::DateSections_Mask)
        m_picker->setDate(value.date());
    if (m_picker->displayedSections() & QDateTimeEdit::TimeSections_Mask)
        m_picker->setTime(value.time());
    m_settingValue = false;
}

void PickerTyping::update()
{
    if (const auto value = typedValue()) {
        setPickerValue(*value);
        m_picker->setCurrentSectionIndex(m_firstSection + m_field);
        return;
    }
    // Shown past the picker's validator, which would cut day 31 to the
    // month's last day, and without the picker reading it back.
    const QSignalBlocker blocker(m_edit);
    const QValidator *validator = m_edit->validator();
    m_edit->setValidator(nullptr);
    m_edit->setText(heldText());
    m_edit->setValidator(validator);
}

QString PickerTyping::heldText() const
{
    // The picker's format with the typed digits in their fields and the
    // value from before the typing in the others.
    const QString format = m_picker->displayFormat();
    const QLocale locale = m_picker->locale();
    const QString zero = locale.zeroDigit();
    const auto localDigits = [&zero](QString digits) {
        if (zero.size() == 1) {
            for (QChar &c : digits)
                c = QChar(zero.front().unicode() + (c.unicode() - u'0'));
        }
        return digits;
    };
    QString text;
    int section = 0;
    for (const DateText::FormatPiece &piece : DateText::splitFormat(format)) {
        if (piece.kind == DateText::FormatPiece::Quoted) {
            QString quoted = piece.text.mid(1);
            if (quoted.endsWith(u'\''))
                quoted.chop(1);
            text += quoted.replace(QStringLiteral("''"), QStringLiteral("'"));
            continue;
        }
        if (piece.kind == DateText::FormatPiece::Literal) {
            text += piece.text;
            continue;
        }
        const int field = section - m_firstSection;
        if (field >= 0 && !m_digits.at(field).isEmpty()) {
            text += localDigits(m_digits.at(field));
        } else {
            const bool isDate = QStringLiteral("dMy").contains(piece.text.front());
            const QString shown = isDate ? m_before.date().toString(piece.text)
                                         : m_before.time().toString(piece.text);
            text += localDigits(shown);
        }
        ++section;
    }
    return text;
}

void PickerTyping::finish()
{
    if (!m_typing)
        return;
    m_typing = false;
    if (typedValue())
        return;
    if (const auto value = typedValue(true)) {
        // Shows the value in full where the typed text was only held.
        setPickerValue(*value);
        const QSignalBlocker blocker(m_edit);
        m_edit->setText(m_picker->locale().toString(*value, m_picker->displayFormat()));
        return;
    }
    // What was typed is no date or time: the picker goes back, and says so.
    QApplication::beep();
    setPickerValue(m_before);
}
