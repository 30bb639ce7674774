#include "details_dialog/DetailsDialog.h"

#include "assets/Assets.h"
#include "countdown/CountdownTarget.h"
#include "countdown/DateText.h"
#include "details_dialog/TypedPicker.h"
#include "platform/LocalClock.h"
#include "platform/SecondTicker.h"
#include "window_placement/WindowPlacement.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QShowEvent>
#include <QSignalBlocker>

DetailsDialog::DetailsDialog(CountdownTarget &target)
    // A window of its own, not a transient dialog, so that it has a taskbar
    // button while the main window is minimized.
    : QDialog(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint),
      m_target(target)
{
    setObjectName(QStringLiteral("detailsDialog"));
    setWindowTitle(tr("Taloran"));
    setFixedSize(346, 267);
    // The layout is laid out for a dialog font of 8.25 points; the desktop's
    // larger default would run "Count Down To:" under the time picker.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8.25);
    setFont(dialogFont);

    auto *pickerCaption = new QLabel(tr("Count Down To:"), this);
    pickerCaption->setObjectName(QStringLiteral("pickerCaption"));
    pickerCaption->setGeometry(16, 19, 89, 17);

    m_timePicker = new TimePicker(this);
    m_timePicker->setObjectName(QStringLiteral("timePicker"));
    m_timePicker->setGeometry(104, 16, 97, 20);
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_timePicker->setAccessibleName(tr("Target time"));

    m_datePicker = new DatePicker(this);
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setGeometry(208, 16, 121, 20);
    m_datePicker->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setAccessibleName(tr("Target date"));
    const auto setTarget = &DetailsDialog::setTargetFromPickers;
    connect(m_timePicker, &QDateTimeEdit::dateTimeChanged, this, setTarget);
    connect(m_datePicker, &QDateTimeEdit::dateTimeChanged, this, setTarget);

    auto *totalsGroup = new QGroupBox(tr("Individual Times"), this);
    totalsGroup->setObjectName(QStringLiteral("totalsGroup"));
    totalsGroup->setGeometry(16, 48, 313, 177);
    const struct
    {
        const char *name;
        QString caption, description;
    } rows[] = {{"days", tr("Days:"), tr("days left")},
                {"hours", tr("Hours:"), tr("hours left")},
                {"minutes", tr("Minutes:"), tr("minutes left")},
                {"seconds", tr("Seconds:"), tr("seconds left")}};
    const QFont totalsFont = Assets::totalsFont();
    for (int row = 0; row < 4; ++row) {
        auto *caption = new QLabel(rows[row].caption, totalsGroup);
        caption->setObjectName(QLatin1String(rows[row].name) + QLatin1String("Caption"));
        caption->setGeometry(8, 24 + 24 * row, 73, 25);
        caption->setAlignment(Qt::AlignRight | Qt::AlignTop);
        m_totals[row] = new QLabel(totalsGroup);
        m_totals[row]->setObjectName(QLatin1String(rows[row].name) + QLatin1String("Total"));
        m_totals[row]->setGeometry(88, 24 + 24 * row, 185, 25);
        m_totals[row]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_totals[row]->setAccessibleDescription(rows[row].description);
        for (QLabel *label : {caption, m_totals[row]}) {
            label->setFont(totalsFont);
            label->setTextFormat(Qt::PlainText);
        }
    }

    m_startupCheckBox = new QCheckBox(tr("Run Taloran at startup (starts minimized)"), this);
    m_startupCheckBox->setObjectName(QStringLiteral("startupCheckBox"));
    m_startupCheckBox->setGeometry(16, 240, 289, 17);
    connect(m_startupCheckBox, &QCheckBox::toggled, this, &DetailsDialog::refuseUnstartableProgram);

    // Ticks once a second with the main window; every change of the target
    // rewrites the totals.
    connect(&SecondTicker::instance(), &SecondTicker::ticked, this, [this] {
        if (isVisible())
            updateTotals(false);
    });
    connect(&m_target, &CountdownTarget::changed, this, [this] {
        if (isVisible())
            updateTotals(true);
    });
}

void DetailsDialog::showAndActivate()
{
    // Placed before it is shown, so that the window manager puts the frame
    // there.
    if (!isVisible())
        WindowPlacement::centre(*this);
    showNormal();
    raise();
    activateWindow();
}

void DetailsDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous()) {
        {
            // Setting the pickers is not an edit: the target stays as it is.
            const QSignalBlocker timeBlocker(m_timePicker);
            const QSignalBlocker dateBlocker(m_datePicker);
            const DateValue target = m_target.moment();
            m_datePicker->setDisplayFormat(DateText::shortDateFormat());
            m_timePicker->setTime(QTime(target.hour(), target.minute(), target.second()));
            m_datePicker->setDate(QDate(target.year(), target.month(), target.day()));
            m_timePicker->setCurrentSectionIndex(0);
            m_datePicker->setCurrentSectionIndex(0);
        }
        {
            // Showing the entry that is there is not a tick by the user.
            const QSignalBlocker startupBlocker(m_startupCheckBox);
            m_startupCheckBox->setChecked(Autostart::isEnabled());
        }
        updateTotals(true);
        m_timePicker->setFocus(Qt::OtherFocusReason);
    }
    QDialog::showEvent(event);
}

void DetailsDialog::done(int result)
{
    const auto failure = Autostart::setEnabled(m_startupCheckBox->isChecked());
    // Hidden before the program writes the target (on finished()) or reports
    // the failure: either may show a box.
    QDialog::done(result);
    if (failure)
        emit autostartFailed(*failure);
}

void DetailsDialog::setTargetFromPickers()
{
    // A value that names no moment leaves the target as it was.
    const QTime time = m_timePicker->time();
    const QDate date = m_datePicker->date();
    if (const auto moment = DateValue::fromParts(date.year(), date.month(), date.day(),
                                                 time.hour(), time.minute(), time.second()))
        m_target.setMoment(*moment);
}

void DetailsDialog::refuseUnstartableProgram(bool checked)
{
    // A ticked box would write an entry that starts nothing at logon: the
    // box goes back to unticked and the user learns why.
    if (!checked)
        return;
    const QString reason = Autostart::whyCannotStart(Autostart::programPath());
    if (reason.isEmpty())
        return;
    m_startupCheckBox->setChecked(false);
    QMessageBox::information(this, tr("Run Taloran at startup"), reason);
}

void DetailsDialog::updateTotals(bool force)
{
    // A tick within the second of the last update has nothing new to show.
    const auto now = LocalClock::now();
    if (!force && now == m_lastUpdate)
        return;
    m_lastUpdate = now;
    const DateValue from(now), to = m_target.moment();
    const qint64 totals[] = {dayDifference(from, to), hourDifference(from, to),
                             minuteDifference(from, to), secondDifference(from, to)};
    for (int row = 0; row < 4; ++row)
        m_totals[row]->setText(QString::number(totals[row]));
}
