#include "main_window/CountdownWindow.h"

#include "assets/Assets.h"
#include "countdown/Countdown.h"
#include "countdown/CountdownTarget.h"
#include "platform/LocalClock.h"
#include "main_window/NumberLabel.h"
#include "main_window/PictureButton.h"
#include "platform/SecondTicker.h"
#include "window_placement/WindowPlacement.h"

#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace {

// The key of the window's bounds under "Form Positions": part of the stored
// format, whatever the class is called.
const QString placementKey = QStringLiteral("frmMain");

// Assistive technology sees the widget as a frame, as it does a main window,
// not as a pane.
QAccessibleInterface *accessibleWindow(const QString &className, QObject *object)
{
    if (className == QLatin1String("CountdownWindow") && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

// A press of another button while the one that started a drag is held.
bool pressDuringDrag(const QMouseEvent &event, Qt::MouseButton dragButton)
{
    return dragButton != Qt::NoButton && event.button() != dragButton && (event.buttons() & dragButton);
}

} // namespace

CountdownWindow::CountdownWindow(CountdownTarget &target, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint
#ifdef Q_OS_WIN
                          // Keeps the taskbar button able to minimize a
                          // window that shows no minimize box of its own.
                          | Qt::WindowMinimizeButtonHint
#endif
                          ),
      m_target(target)
{
    QAccessible::installFactory(accessibleWindow);
    setObjectName(QStringLiteral("countdownWindow"));
    setWindowTitle(tr("Taloran"));
    setFixedSize(800, 125);
    setAttribute(Qt::WA_OpaquePaintEvent);
    addControls();
    connect(&m_target, &CountdownTarget::changed, this, &CountdownWindow::refresh);
}

CountdownWindow::~CountdownWindow() = default;

void CountdownWindow::addControls()
{
    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::WindowText, labelPalette.color(QPalette::ButtonText));
    const QFont numberFont = Assets::numberFont();
    // The numbers stand on the baseline of the unit words in the artwork,
    // y = 51 in the window, 46 in the labels.
    const int wordBaseline = 51 - 5;
    // Made in reading order, which assistive technology follows.
    const auto label = [&](const char *name, int x, const QString &one, const QString &many) {
        auto *number = new NumberLabel(wordBaseline, one, many, this);
        number->setObjectName(QLatin1String(name));
        number->setGeometry(x, 5, 57, 73);
        number->setFont(numberFont);
        number->setPalette(labelPalette);
        number->setAutoFillBackground(false);
        // A press on a number is the number's own; it must not drag.
        number->setAttribute(Qt::WA_NoMousePropagation);
        return number;
    };
    m_weeksLabel = label("weeksLabel", 8, tr("%1 week"), tr("%1 weeks"));
    m_daysLabel = label("daysLabel", 197, tr("%1 day"), tr("%1 days"));
    m_hoursLabel = label("hoursLabel", 352, tr("%1 hour"), tr("%1 hours"));
    m_minutesLabel = label("minutesLabel", 523, tr("%1 minute"), tr("%1 minutes"));
    m_secondsLabel = label("secondsLabel", 653, tr("%1 second"), tr("%1 seconds"));

    // Made after the labels, the buttons lie above them where the seconds
    // label meets them.
    const auto button = [&](const char *name, const QString &picture, int x,
                            const QString &accessibleName) {
        auto *pictureButton = new PictureButton(picture, this);
        pictureButton->setObjectName(QLatin1String(name));
        pictureButton->setGeometry(x, 77, 40, 40);
        pictureButton->setAccessibleName(accessibleName);
        return pictureButton;
    };
    m_detailsButton = button("detailsButton", QStringLiteral("more"), 696, tr("Details"));
    m_closeButton = button("closeButton", QStringLiteral("close"), 740, tr("Close"));
    m_minimizeButton = button("minimizeButton", QStringLiteral("minimize"), 652, tr("Minimize"));
    connect(m_detailsButton, &PictureButton::clicked, this, &CountdownWindow::detailsRequested);
    connect(m_closeButton, &PictureButton::clicked, this, &CountdownWindow::close);
    connect(m_minimizeButton, &PictureButton::clicked, this, &CountdownWindow::minimize);

    // The window itself starts the tab chain and holds the focus first, so
    // that no button shows a focus frame until Tab reaches it.
    setFocusPolicy(Qt::TabFocus);
    setFocus();

    // Ticks once a second with the dialog, and a first time as soon as the
    // program runs.
    m_ticks = connect(&SecondTicker::instance(), &SecondTicker::ticked, this, &CountdownWindow::tick);
    QTimer::singleShot(0, this, &CountdownWindow::tick);
}

void CountdownWindow::updateDisplay(bool force)
{
    const DateValue now(LocalClock::now());
    const DateValue target = m_target.moment();

    // Unforced, a tick in the second of the last full update changes nothing;
    // before the first one, the labels keep "00" while the seconds left are 0.
    const bool sameSecond =
        m_lastUpdate ? now == *m_lastUpdate : Countdown::secondsField(now, target) == 0;
    if (!force && sameSecond)
        return;
    m_lastUpdate = now;

    // A target that has passed reads 0 everywhere, the caption too.
    const CountdownFields fields =
        now.isLaterThan(target) ? CountdownFields{} : Countdown::breakDown(now, target);
    m_secondsLabel->setNumber(QString::number(fields.seconds));
    m_minutesLabel->setNumber(QString::number(fields.minutes));
    m_hoursLabel->setNumber(QString::number(fields.hours));
    m_weeksLabel->setNumber(QString::number(fields.weeks()));
    m_daysLabel->setNumber(QString::number(fields.daysOfWeek()));
    updateCaption();
}

void CountdownWindow::start(const QStringList &arguments)
{
    placeAndShow(!arguments.isEmpty());
}

void CountdownWindow::reopen(bool minimized)
{
    if (!m_closed)
        return;
    m_closed = false;
    setWindowState(Qt::WindowNoState);
    updateDisplay(true);
    m_ticks = connect(&SecondTicker::instance(), &SecondTicker::ticked, this, &CountdownWindow::tick);
    placeAndShow(minimized);
}

void CountdownWindow::placeAndShow(bool minimized)
{
    if (!WindowPlacement::restore(*this, placementKey))
        WindowPlacement::centre(*this);

    if (minimized) {
        // Some window managers place a window that first appears minimized
        // as they like (wine maps it without its position), so the place is
        // given again when the window is first restored.
        if (!WindowPlacement::isNativeWayland())
            m_placeOnFirstRestore = pos();
        setWindowState(windowState() | Qt::WindowMinimized);
    }

    show();
}

void CountdownWindow::bringToFront()
{
    reopen(false);
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void CountdownWindow::updateCaption()
{
    // A Wayland compositor never tells a window that it is minimized, so
    // there the title is the time left in every state: the task list shows
    // the countdown whether the widget is minimized or not.
    if ((windowState() & Qt::WindowMinimized) || WindowPlacement::isNativeWayland()) {
        // The labels as they stand, whatever they hold, each with its unit.
        setWindowTitle(tr("%1w %2d %3h %4m %5s ")
                           .arg(m_weeksLabel->text(), m_daysLabel->text(), m_hoursLabel->text(),
                                m_minutesLabel->text(), m_secondsLabel->text()));
    } else if (const QString title = tr("Taloran"); windowTitle() != title) {
        setWindowTitle(title);
    }
}

void CountdownWindow::tick()
{
    if (!m_closed)
        updateDisplay(false);
}

void CountdownWindow::refresh()
{
    updateDisplay(true);
}

void CountdownWindow::minimize()
{
    setWindowState((windowState() & ~Qt::WindowActive) | Qt::WindowMinimized);
}

void CountdownWindow::paintEvent(QPaintEvent *)
{
    // Decoded at the first paint, so that start-up does not wait for it.
    if (m_background.isNull())
        m_background = Assets::pixmap(QStringLiteral("background"), devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, m_background);
}

// A press on the background (labels and buttons keep theirs) starts a drag
// with any button; the window then follows the cursor until that button is
// released. Other buttons pressed meanwhile change nothing; a press of the
// same button, or with it no longer held, starts afresh (its release was lost).
void CountdownWindow::mousePressEvent(QMouseEvent *event)
{
    if (WindowPlacement::isNativeWayland()) {
        // Only the compositor may move a window there.
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return;
    }
    if (pressDuringDrag(*event, m_dragButton))
        return;
    m_dragButton = event->button();
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    // A move without the button held then still arrives: its release went
    // elsewhere (a lost grab), and ends the drag as the release would have.
    setMouseTracking(true);
}

void CountdownWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragButton == Qt::NoButton)
        return;
    if (!(event->buttons() & m_dragButton)) {
        endDrag();
        return;
    }
    const QPoint corner = event->globalPosition().toPoint() - m_dragOffset;
    if (corner != frameGeometry().topLeft())
        move(corner);
}

void CountdownWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == m_dragButton)
        endDrag();
}

void CountdownWindow::endDrag()
{
    m_dragButton = Qt::NoButton;
    setMouseTracking(false);
    WindowPlacement::save(*this, placementKey);
}

void CountdownWindow::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press comes as this event, not as a press, so it starts no
    // drag; one left open by a lost release ends here, where centred.
    if (pressDuringDrag(*event, m_dragButton))
        return;
    m_dragButton = Qt::NoButton;
    setMouseTracking(false);
    WindowPlacement::centre(*this);
    WindowPlacement::save(*this, placementKey);
}

void CountdownWindow::closeEvent(QCloseEvent *event)
{
    // A close unloads the window: its countdown stops, a drag ends where it
    // is, and the program writes a changed target. Closing it again before
    // it is reopened does nothing.
    if (!m_closed) {
        m_closed = true;
        disconnect(m_ticks);
        m_dragButton = Qt::NoButton;
        setMouseTracking(false);
        emit closed();
    }
    event->accept();
}

void CountdownWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        if (m_placeOnFirstRestore && !(windowState() & Qt::WindowMinimized)) {
            if (pos() != *m_placeOnFirstRestore)
                move(*m_placeOnFirstRestore);
            m_placeOnFirstRestore.reset();
        }
        updateCaption();
    }
}

void CountdownWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateCaption();
}

void CountdownWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    updateCaption();
}
