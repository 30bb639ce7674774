#include "frmMore.h"

#include "Assets.h"
#include "Autostart.h"
#include "DateText.h"
#include "LocalClock.h"
#include "frmMain.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QTimer>

namespace {

const QDate earliestPick(1601, 1, 1);
const QDate latestPick(9999, 12, 31);

} // namespace

frmMore::frmMore(frmMain &mainWindow)
    : QWidget(nullptr,
              Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                  | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint),
      m_main(mainWindow)
{
    setObjectName(QStringLiteral("frmMore"));
    setWindowTitle(QStringLiteral("Taloran"));
    setWindowIcon(Assets::clockIcon());
    setFixedSize(346, 267);
    // The layout is laid out for a dialog font of 8.25 points; the desktop's
    // larger default would run "Count Down To:" under the time picker.
    QFont dialogFont = font();
    dialogFont.setPointSizeF(8.25);
    setFont(dialogFont);
}

frmMore::~frmMore() = default;

void frmMore::Load()
{
    if (!isLoaded())
        createControls();
    Form_Load();
}

void frmMore::createControls()
{
    tmr = new QTimer(this);
    tmr->setTimerType(Qt::PreciseTimer);
    tmr->setInterval(1);
    connect(tmr, &QTimer::timeout, this, &frmMore::tmr_Timer);

    chkStartup = new QCheckBox(QStringLiteral("Run Taloran at startup (starts minimized)"), this);
    chkStartup->setObjectName(QStringLiteral("chkStartup"));
    chkStartup->setGeometry(16, 240, 289, 17);

    Frame1 = new QGroupBox(QStringLiteral("Individual Times"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(16, 48, 313, 177);

    const QFont totalsFont = Assets::totalsFont();
    const auto frameLabel = [&](const char *name, const QString &text, int x, int y, int width,
                                Qt::Alignment alignment) {
        auto *label = new QLabel(text, Frame1);
        label->setObjectName(QLatin1String(name));
        label->setGeometry(x, y, width, 25);
        label->setFont(totalsFont);
        label->setAlignment(alignment | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    Label9 = frameLabel("Label9", QStringLiteral("Seconds:"), 8, 96, 73, Qt::AlignRight);
    lblSecs = frameLabel("lblSecs", QStringLiteral("00"), 88, 96, 185, Qt::AlignLeft);
    Label7 = frameLabel("Label7", QStringLiteral("Minutes:"), 8, 72, 73, Qt::AlignRight);
    lblMins = frameLabel("lblMins", QStringLiteral("00"), 88, 72, 185, Qt::AlignLeft);
    Label5 = frameLabel("Label5", QStringLiteral("Hours:"), 8, 48, 73, Qt::AlignRight);
    lblHrs = frameLabel("lblHrs", QStringLiteral("00"), 88, 48, 185, Qt::AlignLeft);
    Label3 = frameLabel("Label3", QStringLiteral("Days:"), 8, 24, 73, Qt::AlignRight);
    lblDays = frameLabel("lblDays", QStringLiteral("00"), 88, 24, 185, Qt::AlignLeft);
    lblSecs->setAccessibleDescription(tr("seconds left"));
    lblMins->setAccessibleDescription(tr("minutes left"));
    lblHrs->setAccessibleDescription(tr("hours left"));
    lblDays->setAccessibleDescription(tr("days left"));

    dtpDate = new QDateEdit(this);
    dtpDate->setObjectName(QStringLiteral("dtpDate"));
    dtpDate->setGeometry(208, 16, 121, 20);
    dtpDate->setDateRange(earliestPick, latestPick);
    dtpDate->setDisplayFormat(DateText::shortDateFormat());
    dtpDate->setCalendarPopup(true);
    dtpDate->setAccessibleName(tr("Target date"));
    connect(dtpDate, &QDateTimeEdit::dateTimeChanged, this, &frmMore::dtpDate_Change);

    dtpTime = new QTimeEdit(this);
    dtpTime->setObjectName(QStringLiteral("dtpTime"));
    dtpTime->setGeometry(104, 16, 97, 20);
    dtpTime->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    dtpTime->setAccessibleName(tr("Target time"));
    connect(dtpTime, &QDateTimeEdit::dateTimeChanged, this, &frmMore::dtpTime_Change);

    Label2 = new QLabel(QStringLiteral("Count Down To:"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(16, 19, 89, 17);

    // Tab leaves a picker for the next control, as it does in the other
    // controls of the dialog, instead of walking through its fields.
    dtpTime->installEventFilter(this);
    dtpDate->installEventFilter(this);
    setTabOrder(dtpTime, dtpDate);
    setTabOrder(dtpDate, chkStartup);
    for (QWidget *control : std::initializer_list<QWidget *>{
             chkStartup, Frame1, Label9, lblSecs, Label7, lblMins, Label5, lblHrs, Label3,
             lblDays, dtpDate, dtpTime, Label2})
        control->show();

    tmr->start();
}

void frmMore::destroyControls()
{
    // Deferred: the close may come from a key press inside one of them.
    for (QObject *control : std::initializer_list<QObject *>{
             tmr, chkStartup, Frame1, dtpDate, dtpTime, Label2}) {
        if (auto *widget = qobject_cast<QWidget *>(control))
            widget->hide();
        control->deleteLater();
    }
    tmr->stop();
    tmr = nullptr;
    chkStartup = nullptr;
    Frame1 = nullptr;
    Label9 = lblSecs = Label7 = lblMins = Label5 = lblHrs = Label3 = lblDays = nullptr;
    dtpDate = nullptr;
    dtpTime = nullptr;
    Label2 = nullptr;
}

void frmMore::Form_Load()
{
    {
        // Setting the pickers is not an edit: the target stays as it is.
        const QSignalBlocker timeBlocker(dtpTime);
        const QSignalBlocker dateBlocker(dtpDate);
        const DateValue target = m_main.datTarget;
        dtpTime->setTime(QTime(target.hour(), target.minute(), target.second()));
        dtpDate->setDate(QDate(target.year(), target.month(), target.day()));
    }

    if (Autostart::isEnabled())
        chkStartup->setCheckState(Qt::Checked);

    centreOnScreen();
    show();
    dtpTime->setFocus(Qt::OtherFocusReason);
    raise();
    activateWindow();
}

void frmMore::centreOnScreen()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

QString frmMore::pickerText() const
{
    const QTime time = dtpTime->time();
    const QDate date = dtpDate->date();
    return QStringLiteral("%1:%2.%3 %4/%5/%6")
        .arg(time.hour())
        .arg(time.minute())
        .arg(time.second())
        .arg(date.year())
        .arg(date.month())
        .arg(date.day());
}

void frmMore::applyPickerText(const QString &text)
{
    const auto target = DateText::read(text);
    if (!target)
        return;
    m_main.datTarget = *target;
    m_main.UpdateDisplay(true);
    UpdateIndividualTimes(true);
}

void frmMore::dtpDate_Change()
{
    applyPickerText(pickerText());
}

void frmMore::dtpTime_Change()
{
    applyPickerText(pickerText());
}

void frmMore::tmr_Timer()
{
    UpdateIndividualTimes(false);
}

void frmMore::UpdateIndividualTimes(bool blnForce)
{
    const DateValue now(LocalClock::now());
    const qint64 seconds = secondDifference(now, m_main.datTarget);
    // The last digit of the decimal text, found without building the text:
    // this runs on every tick.
    const QChar lastDigit(u'0' + int(seconds < 0 ? -(seconds % 10) : seconds % 10));
    if (!blnForce && strLastDigit.size() == 1 && strLastDigit.front() == lastDigit)
        return;
    strLastDigit = QString(lastDigit);

    lblSecs->setText(QString::number(seconds));
    lblDays->setText(QString::number(dayDifference(DateValue(LocalClock::now()), m_main.datTarget)));
    lblHrs->setText(QString::number(hourDifference(DateValue(LocalClock::now()), m_main.datTarget)));
    lblMins->setText(
        QString::number(minuteDifference(DateValue(LocalClock::now()), m_main.datTarget)));
}

void frmMore::Form_Unload()
{
    Autostart::setEnabled(chkStartup->checkState() == Qt::Checked);
}

void frmMore::closeEvent(QCloseEvent *event)
{
    if (isLoaded()) {
        Form_Unload();
        destroyControls();
    }
    event->accept();
}

bool frmMore::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == dtpTime || watched == dtpDate)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::ShiftModifier;
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && others == Qt::NoModifier) {
            focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMore::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the dialog, as in every dialog of the desktop.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
