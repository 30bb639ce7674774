#include "frmMain.h"

#include "Assets.h"
#include "Countdown.h"
#include "DragMath.h"
#include "LocalClock.h"
#include "NumberLabel.h"
#include "PictureBox.h"
#include "TargetDate.h"
#include "WidgetPlacedWindow.h"
#include "WindowPlacement.h"
#include "mdlMouse.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QWindow>


namespace {

const QString windowCaption = QStringLiteral("Taloran");

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint
#ifdef Q_OS_WIN
                          // Keeps the taskbar button able to minimize a
                          // window that shows no minimize box of its own.
                          | Qt::WindowMinimizeButtonHint
#endif
                          )
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(windowCaption);
    setWindowIcon(Assets::clockIcon());
    setFixedSize(800, 125);
    createControls();
    m_form = std::make_unique<WidgetPlacedWindow>(*this, QStringLiteral("frmMain"));
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    tmr = new QTimer(this);
    tmr->setTimerType(Qt::PreciseTimer);
    tmr->setInterval(1);
    connect(tmr, &QTimer::timeout, this, &frmMain::tmr_Timer);

    const qreal ratio = devicePixelRatioF();
    picBack = new PictureBox(PictureBox::Role::Background, this);
    picBack->setObjectName(QStringLiteral("picBack"));
    picBack->setGeometry(0, 0, 800, 125);
    picBack->setPicture(Assets::pixmap(QStringLiteral("background"), ratio));
    connect(picBack, &PictureBox::mouseDown, this, &frmMain::picBack_MouseDown);
    connect(picBack, &PictureBox::mouseUp, this, &frmMain::picBack_MouseUp);
    connect(picBack, &PictureBox::doubleClicked, this, &frmMain::picBack_DblClick);

    const auto button = [&](const char *name, const QString &picture, int x,
                            const QString &accessibleName, void (frmMain::*handler)()) {
        auto *box = new PictureBox(PictureBox::Role::Button, picBack);
        box->setObjectName(QLatin1String(name));
        box->setGeometry(x, 77, 40, 40);
        box->setPicture(Assets::pixmap(picture, ratio));
        box->setCursor(Assets::handCursor());
        box->setAccessibleName(accessibleName);
        connect(box, &PictureBox::clicked, this, handler);
        return box;
    };
    picMinimize = button("picMinimize", QStringLiteral("minimize"), 652, tr("Minimize"),
                         &frmMain::picMinimize_Click);
    picClose = button("picClose", QStringLiteral("close"), 740, tr("Close"),
                      &frmMain::picClose_Click);
    picMore = button("picMore", QStringLiteral("more"), 696, tr("Details"),
                     &frmMain::picMore_Click);

    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::WindowText, labelPalette.color(QPalette::ButtonText));
    const QFont numberFont = Assets::numberFont();
    // The numbers stand on the baseline of the unit words in the artwork,
    // y = 51 in the window, 46 in the labels.
    const int wordBaseline = 51 - 5;
    const auto label = [&](const char *name, int x, const QString &unit) {
        auto *lbl = new NumberLabel(QStringLiteral("00"), wordBaseline, picBack);
        lbl->setObjectName(QLatin1String(name));
        lbl->setGeometry(x, 5, 57, 73);
        lbl->setFont(numberFont);
        lbl->setPalette(labelPalette);
        lbl->setAutoFillBackground(false);
        // A press on a number is the number's own; it must not drag.
        lbl->setAttribute(Qt::WA_NoMousePropagation);
        lbl->setAccessibleDescription(unit);
        return lbl;
    };
    lblSec = label("lblSec", 653, tr("seconds"));
    lblMin = label("lblMin", 523, tr("minutes"));
    lblHrs = label("lblHrs", 352, tr("hours"));
    lblDays = label("lblDays", 197, tr("days"));
    lblWeeks = label("lblWeeks", 8, tr("weeks"));

    // Picture boxes are windows of their own and lie above the labels where
    // the seconds label meets the buttons.
    for (PictureBox *box : {picMinimize, picClose, picMore})
        box->raise();

    picBack->setFocusPolicy(Qt::TabFocus);
    for (PictureBox *box : {picMore, picClose, picMinimize})
        box->setFocusPolicy(Qt::TabFocus);
    setTabOrder(picBack, picMore);
    setTabOrder(picMore, picClose);
    setTabOrder(picClose, picMinimize);

    tmr->start();
}

void frmMain::setCaption(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

void frmMain::UpdateDisplay(bool blnForceUpdate)
{
    const DateValue now(LocalClock::now());

    if (now.isLaterThan(datTarget)) {
        const QString zero = QStringLiteral("0");
        for (QLabel *label : {lblWeeks, lblDays, lblHrs, lblMin, lblSec})
            setCaption(label, zero);
        return;
    }

    const int seconds = Countdown::secondsField(now, datTarget);
    if (!blnForceUpdate && seconds == intLastSec)
        return;

    const CountdownFields fields = Countdown::breakDown(now, datTarget);
    setCaption(lblSec, QString::number(fields.seconds));
    intLastSec = qint16(fields.seconds);
    setCaption(lblMin, QString::number(fields.minutes));
    setCaption(lblHrs, QString::number(fields.hours));
    setCaption(lblWeeks, QString::number(fields.weeks()));
    setCaption(lblDays, QString::number(fields.daysOfWeek()));
    Form_Resize();
}

void frmMain::Form_Load(const QStringList &arguments)
{
    datTarget = TargetDate::load(DateValue(LocalClock::now()));

    if (!WindowPlacement::restore(*m_form))
        WindowPlacement::center(*m_form);

    if (!arguments.isEmpty())
        setWindowState(windowState() | Qt::WindowMinimized);

    show();
}

void frmMain::Form_Resize()
{
    if (windowState() & Qt::WindowMinimized) {
        const QString caption = lblWeeks->text() + QLatin1String("w ") + lblDays->text()
            + QLatin1String("d ") + lblHrs->text() + QLatin1String("h ") + lblMin->text()
            + QLatin1String("m ") + lblSec->text() + QLatin1String("s ");
        setWindowTitle(caption);
    } else if (windowTitle() != windowCaption) {
        setWindowTitle(windowCaption);
    }
}

void frmMain::SaveTarget()
{
    TargetDate::save(datTarget);
    m_savedTarget = datTarget;
    m_targetSaved = true;
}

void frmMain::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    tmr->stop();
    SaveTarget();
}

void frmMain::programEnding()
{
    if (!m_unloaded)
        Form_Unload();
    else if (!m_targetSaved || m_savedTarget != datTarget)
        SaveTarget();
}

void frmMain::tmr_Timer()
{
    UpdateDisplay(false);
}

void frmMain::picClose_Click()
{
    close();
}

void frmMain::picMinimize_Click()
{
    setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
}

void frmMain::picMore_Click()
{
    // Opening the dialog must never take the widget down with it.
    try {
        emit detailsRequested();
    } catch (...) {
    }
}

void frmMain::picBack_MouseDown()
{
    if (onWayland()) {
        // Only the compositor may move a window there.
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return;
    }

    lngStartCursorX = mdlMouse::GetCursorX();
    lngStartCursorY = mdlMouse::GetCursorY();
    const auto startLeft = DragMath::twipsToPixels(m_form->left());
    const auto startTop = DragMath::twipsToPixels(m_form->top());
    if (!startLeft || !startTop)
        return;
    lngStartLeft = *startLeft;
    lngStartTop = *startTop;
    blnDragging = true;

    do {
        moveWithCursor();
        // The release handler, the timer and everything else pending run
        // here. Waiting for the next event, rather than spinning, keeps a
        // drag from using a whole core; the 1 ms timer wakes the loop anyway.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (blnDragging && m_unloaded) {
            blnDragging = false;
        } else if (blnDragging && !mdlMouse::AnyButtonHeld()) {
            // The release went elsewhere (a lost grab): end the drag as the
            // release would have.
            picBack_MouseUp();
        }
    } while (blnDragging);
}

void frmMain::moveWithCursor()
{
    // A window that is already in place is not moved again: the loop runs
    // on every timer tick, mostly with the cursor standing still.
    const auto left = DragMath::edgeTwips(mdlMouse::GetCursorX(), lngStartCursorX, lngStartLeft);
    if (left && *left != m_form->left())
        m_form->setLeft(*left);
    const auto top = DragMath::edgeTwips(mdlMouse::GetCursorY(), lngStartCursorY, lngStartTop);
    if (top && *top != m_form->top())
        m_form->setTop(*top);
}

void frmMain::picBack_MouseUp()
{
    blnDragging = false;
    WindowPlacement::save(*m_form);
}

void frmMain::picBack_DblClick()
{
    WindowPlacement::center(*m_form);
    WindowPlacement::save(*m_form);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    Form_Resize();
}
