#include "details_dialog/DetailsDialog.h"

#include "assets/Assets.h"
#include "autostart/Autostart.h"
#include "countdown/CountdownTarget.h"
#include "countdown/DateText.h"
#include "platform/LocalClock.h"
#include "details_dialog/PickerTyping.h"
#include "platform/SecondTicker.h"
#include "window_placement/WindowPlacement.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTimer>

namespace {

const QDate earliestPick(1601, 1, 1);
const QDate latestPick(9999, 12, 31);

} // namespace

DetailsDialog::DetailsDialog(CountdownTarget &target)
    : QWidget(nullptr,
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
    connect(&m_target, &CountdownTarget::changed, this, &DetailsDialog::refresh);
}

DetailsDialog::~DetailsDialog() = default;

void DetailsDialog::open()
{
    if (hasControls() && isVisible()) {
        showNormal();
        raise();
        activateWindow();
        return;
    }
    if (!hasControls())
        addControls();
    load();
}

void DetailsDialog::addControls()
{
    m_startupCheckBox = new QCheckBox(tr("Run Taloran at startup (starts minimized)"), this);
    m_startupCheckBox->setObjectName(QStringLiteral("startupCheckBox"));
    m_startupCheckBox->setGeometry(16, 240, 289, 17);
    connect(m_startupCheckBox, &QCheckBox::toggled, this, &DetailsDialog::refuseUnstartableProgram);

    m_totalsGroup = new QGroupBox(tr("Individual Times"), this);
    m_totalsGroup->setObjectName(QStringLiteral("totalsGroup"));
    m_totalsGroup->setGeometry(16, 48, 313, 177);

    const QFont totalsFont = Assets::totalsFont();
    const auto groupLabel = [&](const char *name, const QString &text, int x, int y, int width,
                                Qt::Alignment alignment) {
        auto *label = new QLabel(text, m_totalsGroup);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(x, y, width, 25);
        label->setFont(totalsFont);
        label->setAlignment(alignment | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    const QString initialTotal = QStringLiteral("00");
    m_secondsCaption = groupLabel("secondsCaption", tr("Seconds:"), 8, 96, 73, Qt::AlignRight);
    m_secondsTotal = groupLabel("secondsTotal", initialTotal, 88, 96, 185, Qt::AlignLeft);
    m_minutesCaption = groupLabel("minutesCaption", tr("Minutes:"), 8, 72, 73, Qt::AlignRight);
    m_minutesTotal = groupLabel("minutesTotal", initialTotal, 88, 72, 185, Qt::AlignLeft);
    m_hoursCaption = groupLabel("hoursCaption", tr("Hours:"), 8, 48, 73, Qt::AlignRight);
    m_hoursTotal = groupLabel("hoursTotal", initialTotal, 88, 48, 185, Qt::AlignLeft);
    m_daysCaption = groupLabel("daysCaption", tr("Days:"), 8, 24, 73, Qt::AlignRight);
    m_daysTotal = groupLabel("daysTotal", initialTotal, 88, 24, 185, Qt::AlignLeft);
    m_secondsTotal->setAccessibleDescription(tr("seconds left"));
    m_minutesTotal->setAccessibleDescription(tr("minutes left"));
    m_hoursTotal->setAccessibleDescription(tr("hours left"));
    m_daysTotal->setAccessibleDescription(tr("days left"));

    m_datePicker = new QDateEdit(this);
    m_datePicker->setObjectName(QStringLiteral("datePicker"));
    m_datePicker->setGeometry(208, 16, 121, 20);
    m_datePicker->setDateRange(earliestPick, latestPick);
    m_datePicker->setDisplayFormat(DateText::shortDateFormat());
    m_datePicker->setCalendarPopup(true);
    m_datePicker->setAccessibleName(tr("Target date"));
    connect(m_datePicker, &QDateTimeEdit::dateTimeChanged, this,
            &DetailsDialog::setTargetFromPickers);
    new PickerTyping(m_datePicker);

    m_timePicker = new QTimeEdit(this);
    m_timePicker->setObjectName(QStringLiteral("timePicker"));
    m_timePicker->setGeometry(104, 16, 97, 20);
    m_timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_timePicker->setAccessibleName(tr("Target time"));
    connect(m_timePicker, &QDateTimeEdit::dateTimeChanged, this,
            &DetailsDialog::setTargetFromPickers);
    new PickerTyping(m_timePicker);

    m_pickerCaption = new QLabel(tr("Count Down To:"), this);
    m_pickerCaption->setObjectName(QStringLiteral("pickerCaption"));
    m_pickerCaption->setGeometry(16, 19, 89, 17);

    // Tab leaves a picker for the next control, as it does in the other
    // controls of the dialog, instead of walking through its fields.
    m_timePicker->installEventFilter(this);
    m_datePicker->installEventFilter(this);
    setTabOrder(m_timePicker, m_datePicker);
    setTabOrder(m_datePicker, m_startupCheckBox);
    for (QWidget *control : std::initializer_list<QWidget *>{
             m_startupCheckBox, m_totalsGroup, m_secondsCaption, m_secondsTotal, m_minutesCaption,
             m_minutesTotal, m_hoursCaption, m_hoursTotal, m_daysCaption, m_daysTotal,
             m_datePicker, m_timePicker, m_pickerCaption})
        control->show();

    // Ticks once a second with the main window, and a first time as soon as
    // the dialog is on its way.
    m_ticks = connect(&SecondTicker::instance(), &SecondTicker::ticked, this, &DetailsDialog::tick);
    QTimer::singleShot(0, this, &DetailsDialog::tick);
}

void DetailsDialog::removeControls()
{
    // Deferred: the close may come from a key press inside one of them.
    for (QObject *control : std::initializer_list<QObject *>{
             m_startupCheckBox, m_totalsGroup, m_datePicker, m_timePicker,
             m_pickerCaption}) {
        if (auto *widget = qobject_cast<QWidget *>(control))
            widget->hide();
        control->deleteLater();
    }
    disconnect(m_ticks);
    m_startupCheckBox = nullptr;
    m_totalsGroup = nullptr;
    m_secondsCaption = m_secondsTotal = m_minutesCaption = m_minutesTotal = nullptr;
    m_hoursCaption = m_hoursTotal = m_daysCaption = m_daysTotal = nullptr;
    m_datePicker = nullptr;
    m_timePicker = nullptr;
    m_pickerCaption = nullptr;
}

void DetailsDialog::load()
{
    {
        // Setting the pickers is not an edit: the target stays as it is.
        const QSignalBlocker timeBlocker(m_timePicker);
        const QSignalBlocker dateBlocker(m_datePicker);
        const DateValue target = m_target.moment();
        m_timePicker->setTime(QTime(target.hour(), target.minute(), target.second()));
        m_datePicker->setDate(QDate(target.year(), target.month(), target.day()));
    }

    if (Autostart::isEnabled()) {
        // Showing the entry that is there is not a tick by the user.
        const QSignalBlocker startupBlocker(m_startupCheckBox);
        m_startupCheckBox->setCheckState(Qt::Checked);
    }

    WindowPlacement::centre(*this);
    show();
    m_timePicker->setFocus(Qt::OtherFocusReason);
    raise();
    activateWindow();
}

void DetailsDialog::setTargetFromPickers()
{
    // The target from the hour, minute and second of the time picker and the
    // year, month and day of the date picker. A value that names no moment
    // leaves the target as it was.
    const QTime time = m_timePicker->time();
    const QDate date = m_datePicker->date();
    const auto moment = DateValue::fromParts(date.year(), date.month(), date.day(), time.hour(),
                                             time.minute(), time.second());
    if (moment)
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

void DetailsDialog::tick()
{
    if (hasControls())
        updateTotals(false);
}

void DetailsDialog::refresh()
{
    // The target also changes while the dialog is closed; there is nothing to
    // refresh then.
    if (hasControls())
        updateTotals(true);
}

void DetailsDialog::updateTotals(bool force)
{
    const DateValue target = m_target.moment();
    const qint64 seconds = secondDifference(DateValue(LocalClock::now()), target);
    // The last digit of the decimal text, found without building the text:
    // this runs on every tick.
    const QChar lastDigit(u'0' + int(seconds < 0 ? -(seconds % 10) : seconds % 10));
    if (!force && m_lastDigit == lastDigit)
        return;
    m_lastDigit = lastDigit;

    // Each total reads the clock afresh.
    m_secondsTotal->setText(QString::number(seconds));
    m_daysTotal->setText(QString::number(dayDifference(DateValue(LocalClock::now()), target)));
    m_hoursTotal->setText(QString::number(hourDifference(DateValue(LocalClock::now()), target)));
    m_minutesTotal->setText(
        QString::number(minuteDifference(DateValue(LocalClock::now()), target)));
}

void DetailsDialog::closeEvent(QCloseEvent *event)
{
    if (hasControls()) {
        // The autostart entry follows the check box as the dialog unloads.
        const auto failure = Autostart::setEnabled(m_startupCheckBox->checkState() == Qt::Checked);
        removeControls();
        // The dialog goes before the program writes the target or tells what
        // failed: either may show a box.
        hide();
        emit closed();
        if (failure)
            emit autostartFailed(*failure);
    }
    event->accept();
}

bool DetailsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress
        && (watched == m_timePicker || watched == m_datePicker)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::ShiftModifier;
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
            && others == Qt::NoModifier) {
            focusNextPrevChild(key->key() == Qt::Key_Tab
                               && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void DetailsDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the dialog, as in every dialog of the desktop.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
