#include "details_dialog/TypedPicker.h"

#include "countdown/DateText.h"
#include "platform/RegionalSettings.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

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

template <typename Edit>
TypedPicker<Edit>::TypedPicker(QWidget *parent) : Edit(parent)
{
    // Clicks in the text go to the line edit, not to the picker.
    this->lineEdit()->installEventFilter(this);
    this->setAlignment(Qt::AlignLeft | Qt::AlignTop); // see resizeEvent()
}

template <typename Edit>
bool TypedPicker<Edit>::handlesFormat() const
{
    static const QStringList numeric{"d", "dd", "M", "MM", "yyyy", "H", "HH", "m", "mm", "s", "ss"};
    const QList<DateText::FormatPiece> pieces = DateText::splitFormat(this->displayFormat());
    const auto isField = [](const auto &piece) {
        return piece.kind == DateText::FormatPiece::Field;
    };
    return std::count_if(pieces.cbegin(), pieces.cend(), isField) == this->sectionCount()
        && std::all_of(pieces.cbegin(), pieces.cend(), [&](const auto &piece) {
               return !isField(piece) || numeric.contains(piece.text);
           });
}

template <typename Edit>
bool TypedPicker<Edit>::event(QEvent *event)
{
    // Tab leaves the picker for the next control, as in the other controls,
    // instead of walking through its fields.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && !(key->modifiers() & ~Qt::ShiftModifier)) {
            const bool forward = key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier;
            QWidget::focusNextPrevChild(forward);
            return true;
        }
    }
    return Edit::event(event);
}

template <typename Edit>
void TypedPicker<Edit>::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    if (text.size() == 1
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        const QChar c = text.front();
        const int digit = c.digitValue();
        if (digit >= 0 && digit <= 9 && handlesFormat()) {
            typeDigit(digit);
            return;
        }
        if (m_typing && c.isPrint() && !c.isLetterOrNumber()) {
            typeSeparator();
            return;
        }
    }
    finish();
    Edit::keyPressEvent(event);
}

template <typename Edit>
void TypedPicker<Edit>::focusOutEvent(QFocusEvent *event)
{
    finish();
    Edit::focusOutEvent(event);
}

template <typename Edit>
void TypedPicker<Edit>::mousePressEvent(QMouseEvent *event)
{
    finish();
    Edit::mousePressEvent(event);
}

template <typename Edit>
void TypedPicker<Edit>::wheelEvent(QWheelEvent *event)
{
    finish();
    Edit::wheelEvent(event);
}

template <typename Edit>
void TypedPicker<Edit>::resizeEvent(QResizeEvent *event)
{
    Edit::resizeEvent(event);
    // The text's line goes where QLineEdit centres a line of the picker's own
    // font. QLineEdit would centre a line as tall as every font the text falls
    // back to (on Windows each one's whole line height), and a tall one, such
    // as for native digits, puts the text above the field.
    QLineEdit *edit = this->lineEdit();
    const int room = edit->contentsRect().height() - edit->fontMetrics().height();
    edit->setTextMargins(0, (room + 1) / 2 - 1, 0, 0); // less QLineEdit's own top margin of 1
}

template <typename Edit>
bool TypedPicker<Edit>::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched == this->lineEdit()
        && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick))
        finish();
    return Edit::eventFilter(watched, event);
}

template <typename Edit>
QValidator::State TypedPicker<Edit>::validate(QString &input, int &pos) const
{
    // A held text stays as typed: Qt's check would cut day 31 to the month's
    // last day.
    if (m_typing && !typedValue())
        return QValidator::Intermediate;
    return Edit::validate(input, pos);
}

template <typename Edit>
bool TypedPicker<Edit>::isFull(int field) const
{
    const QString &digits = m_digits.at(field);
    const Section section = this->sectionAt(m_firstSection + field);
    // Full when no further digit could keep the number in range: "9" is a
    // whole hour, "2" is not.
    return digits.size() >= widthOf(section) || digits.toInt() * 10 > largestOf(section);
}

template <typename Edit>
void TypedPicker<Edit>::typeDigit(int digit)
{
    if (!m_typing) {
        m_typing = true;
        m_firstSection = this->currentSectionIndex();
        m_field = 0;
        m_fieldDone = false;
        m_digits = QStringList(this->sectionCount() - m_firstSection);
        m_before = this->dateTime();
    } else if (m_fieldDone || isFull(m_field)) {
        ++m_field;
        m_fieldDone = false;
    }
    m_digits[m_field] += QChar(u'0' + digit);
    if (const auto value = typedValue()) {
        setDateOrTime(*value);
        this->setCurrentSectionIndex(m_firstSection + m_field);
    } else {
        // Not read back by the picker, which would refuse it.
        const QSignalBlocker blocker(this->lineEdit());
        this->lineEdit()->setText(heldText());
    }
    if (m_field == m_digits.size() - 1 && isFull(m_field))
        finish();
}

template <typename Edit>
void TypedPicker<Edit>::typeSeparator()
{
    m_fieldDone = true;
    if (m_field == m_digits.size() - 1)
        finish();
}

template <typename Edit>
std::optional<QDateTime> TypedPicker<Edit>::typedValue(bool ended) const
{
    int year = m_before.date().year(), month = m_before.date().month(), day = m_before.date().day();
    int hour = m_before.time().hour(), minute = m_before.time().minute();
    int second = m_before.time().second();
    for (int field = 0; field < m_digits.size(); ++field) {
        const QString &digits = m_digits.at(field);
        if (digits.isEmpty())
            continue;
        const int value = digits.toInt();
        switch (this->sectionAt(m_firstSection + field)) {
        case QDateTimeEdit::DaySection: day = value; break;
        case QDateTimeEdit::MonthSection: month = value; break;
        case QDateTimeEdit::YearSection:
            year = ended && digits.size() == 2 ? RegionalSettings::widenTwoDigitYear(value) : value;
            break;
        case QDateTimeEdit::HourSection: hour = value; break;
        case QDateTimeEdit::MinuteSection: minute = value; break;
        case QDateTimeEdit::SecondSection: second = value; break;
        default: break;
        }
    }
    const QDate date(year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid() || date < this->minimumDate()
        || date > this->maximumDate() || time < this->minimumTime() || time > this->maximumTime())
        return std::nullopt;
    return QDateTime(date, time, m_before.timeSpec());
}

template <typename Edit>
void TypedPicker<Edit>::setDateOrTime(const QDateTime &value)
{
    // Date and time apart, so that a time in a daylight-saving gap of the
    // picker's date is not moved.
    if (this->displayedSections() & QDateTimeEdit::DateSections_Mask)
        this->setDate(value.date());
    if (this->displayedSections() & QDateTimeEdit::TimeSections_Mask)
        this->setTime(value.time());
}

template <typename Edit>
QString TypedPicker<Edit>::heldText() const
{
    // The typed digits in their fields, the rest as before the typing.
    const QLocale locale = this->locale();
    const QString zero = locale.zeroDigit();
    QString text;
    int field = -m_firstSection;
    for (const DateText::FormatPiece &piece : DateText::splitFormat(this->displayFormat())) {
        const bool isField = piece.kind == DateText::FormatPiece::Field;
        if (isField && field >= 0 && !m_digits.at(field).isEmpty()) {
            for (const QChar c : m_digits.at(field))
                text += zero.size() == 1 ? QChar(zero.front().unicode() + c.digitValue()) : c;
        } else {
            text += locale.toString(m_before, piece.text);
        }
        field += isField;
    }
    return text;
}

template <typename Edit>
void TypedPicker<Edit>::finish()
{
    if (!m_typing)
        return;
    m_typing = false;
    if (typedValue())
        return;
    if (const auto value = typedValue(true)) {
        setDateOrTime(*value);
        return;
    }
    // What was typed is no date or time: the picker goes back, and says so.
    QApplication::beep();
    setDateOrTime(m_before);
}

template class TypedPicker<QDateEdit>;
template class TypedPicker<QTimeEdit>;
