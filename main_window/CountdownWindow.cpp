#include "CountdownWindow.h"

#include "Assets.h"
#include "Countdown.h"
#include "CountdownTarget.h"
#include "DragMath.h"
#include "LocalClock.h"
#include "NumberLabel.h"
#include "PictureBox.h"
#include "PictureButton.h"
#include "SecondTicker.h"
#include "WidgetPlacedWindow.h"
#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <QWindow>

#include <utility>


namespace {

// The key of the window's bounds under "Form Positions": part of the stored
// format, whatever the class is called.
const QString placementKey = QStringLiteral("frmMain");

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
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
    setObjectName(QStringLiteral("countdownWindow"));
    setWindowTitle(tr("Taloran"));
    setFixedSize(800, 125);
    createControls();
    m_placement = std::make_unique<WidgetPlacedWindow>(*this, placementKey);
    connect(&m_target, &CountdownTarget::changed, this, &CountdownWindow::refresh);
}

CountdownWindow::~CountdownWindow() = default;

void CountdownWindow::createControls()
{
    const qreal ratio = devicePixelRatioF();
    m_background = new PictureBox(this);
    m_background->setObjectName(QStringLiteral("background"));
    m_background->setGeometry(0, 0, 800, 125);
    m_background->setPicture([ratio] { return Assets::pixmap(QStringLiteral("background"), ratio); });
    connect(m_background, &PictureBox::pressed, this, &CountdownWindow::drag);
    connect(m_background, &PictureBox::released, this, &CountdownWindow::endDrag);
    connect(m_background, &PictureBox::moved, this, &CountdownWindow::noteCursorMoved);
    connect(m_background, &PictureBox::doubleClicked, this, &CountdownWindow::centerAndStore);

    const auto button = [&](const char *name, const QString &picture, int x,
                            const QString &accessibleName) {
        auto *box = new PictureButton(m_background);
        box->setObjectName(QLatin1String(name));
        box->setGeometry(x, 77, 40, 40);
        box->setPicture([picture, ratio] { return Assets::pixmap(picture, ratio); });
        box->setCursor(Assets::handCursor());
        box->setAccessibleName(accessibleName);
        return box;
    };
    m_minimizeButton = button("minimizeButton", QStringLiteral("minimize"), 652, tr("Minimize"));
    m_closeButton = button("closeButton", QStringLiteral("close"), 740, tr("Close"));
    m_detailsButton = button("detailsButton", QStringLiteral("more"), 696, tr("Details"));
    connect(m_minimizeButton, &PictureButton::clicked, this, &CountdownWindow::minimize);
    connect(m_closeButton, &PictureButton::clicked, this, &CountdownWindow::close);
    connect(m_detailsButton, &PictureButton::clicked, this, &CountdownWindow::openDetails);

    QPalette labelPalette = palette();
    labelPalette.setColor(QPalette::WindowText, labelPalette.color(QPalette::ButtonText));
    const QFont numberFont = Assets::numberFont();
    // The numbers stand on the baseline of the unit words in the artwork,
    // y = 51 in the window, 46 in the labels.
    const int wordBaseline = 51 - 5;
    const auto label = [&](const char *name, int x, const QString &unit) {
        auto *number = new NumberLabel(QStringLiteral("00"), wordBaseline, m_background);
        number->setObjectName(QLatin1String(name));
        number->setGeometry(x, 5, 57, 73);
        number->setFont(numberFont);
        number->setPalette(labelPalette);
        number->setAutoFillBackground(false);
        // A press on a number is the number's own; it must not drag.
        number->setAttribute(Qt::WA_NoMousePropagation);
        number->setAccessibleDescription(unit);
        return number;
    };
    m_secondsLabel = label("secondsLabel", 653, tr("seconds"));
    m_minutesLabel = label("minutesLabel", 523, tr("minutes"));
    m_hoursLabel = label("hoursLabel", 352, tr("hours"));
    m_daysLabel = label("daysLabel", 197, tr("days"));
    m_weeksLabel = label("weeksLabel", 8, tr("weeks"));

    // Picture boxes are windows of their own and lie above the labels where
    // the seconds label meets the buttons.
    for (PictureButton *box : {m_minimizeButton, m_closeButton, m_detailsButton})
        box->raise();

    m_background->setFocusPolicy(Qt::TabFocus);
    for (PictureButton *box : {m_detailsButton, m_closeButton, m_minimizeButton})
        box->setFocusPolicy(Qt::TabFocus);
    setTabOrder(m_background, m_detailsButton);
    setTabOrder(m_detailsButton, m_closeButton);
    setTabOrder(m_closeButton, m_minimizeButton);

    // Ticks once a second with the dialog, and a first time as soon as the
    // program runs.
    m_ticks = connect(&SecondTicker::instance(), &SecondTicker::ticked, this, &CountdownWindow::tick);
    QTimer::singleShot(0, this, &CountdownWindow::tick);
}

namespace {

void setCaption(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

} // namespace

void CountdownWindow::updateDisplay(bool force)
{
    const DateValue now(LocalClock::now());
    const DateValue target = m_target.moment();

    if (now.isLaterThan(target)) {
        const QString zero = QStringLiteral("0");
        for (QLabel *label : {m_weeksLabel, m_daysLabel, m_hoursLabel, m_minutesLabel, m_secondsLabel})
            setCaption(label, zero);
        return;
    }

    const int seconds = Countdown::secondsField(now, target);
    if (!force && seconds == m_lastSecond)
        return;

    const CountdownFields fields = Countdown::breakDown(now, target);
    setCaption(m_secondsLabel, QString::number(fields.seconds));
    m_lastSecond = fields.seconds;
    setCaption(m_minutesLabel, QString::number(fields.minutes));
    setCaption(m_hoursLabel, QString::number(fields.hours));
    setCaption(m_weeksLabel, QString::number(fields.weeks()));
    setCaption(m_daysLabel, QString::number(fields.daysOfWeek()));
    updateCaption();
}

void CountdownWindow::start(const QStringList &arguments)
{
    m_target.load(DateValue(LocalClock::now()));

    if (!WindowPlacement::restore(*m_placement))
        WindowPlacement::center(*m_placement);

    if (!arguments.isEmpty()) {
        // Some window managers place a window that first appears minimized
        // as they like (wine maps it without its position), so the place is
        // given again when the window is first restored.
        if (m_placement->positionIsKnown())
            m_placeOnFirstRestore = pos();
        setWindowState(windowState() | Qt::WindowMinimized);
    }

    show();
}

void CountdownWindow::bringToFront()
{
    if (m_closed)
        return;
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
    if ((windowState() & Qt::WindowMinimized) || onWayland()) {
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

void CountdownWindow::openDetails()
{
    // Opening the dialog must never take the widget down with it.
    try {
        emit detailsRequested();
    } catch (...) {
    }
}

void CountdownWindow::drag(const QPoint &pressedAt)
{
    if (onWayland()) {
        // Only the compositor may move a window there.
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return;
    }

    // Measured from where the press happened, not from where the cursor is
    // when the press is handled: on a busy machine the cursor has moved on
    // by then, and the window would lag behind it by that much.
    m_dragStartCursorX = pressedAt.x();
    m_dragStartCursorY = pressedAt.y();
    const auto startLeft = DragMath::twipsToPixels(m_placement->left());
    const auto startTop = DragMath::twipsToPixels(m_placement->top());
    if (!startLeft || !startTop)
        return;
    m_dragStartLeft = *startLeft;
    m_dragStartTop = *startTop;
    m_dragging = true;
    m_cursorMoved = true;

    // Mouse events wake the loop; this timer wakes it as well now and then,
    // so that a release that went elsewhere still ends the drag. Above
    // 20 ms, so that it stays an ordinary system timer on Windows.
    QTimer wake;
    wake.start(25);
    do {
        // The cursor is asked for its place only after it has moved: asking
        // costs a round trip to the window system, and the loop runs on
        // every timer tick, mostly with the cursor standing still.
        if (std::exchange(m_cursorMoved, false))
            moveWithCursor();
        // The release handler, the timer and everything else pending run
        // here. Waiting for the next event, rather than spinning, keeps a
        // drag from using a whole core.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (m_dragging && m_closed) {
            m_dragging = false;
        } else if (m_dragging && QGuiApplication::mouseButtons() == Qt::NoButton) {
            // The release went elsewhere (a lost grab): end the drag as the
            // release would have.
            endDrag();
        }
    } while (m_dragging);
}

void CountdownWindow::moveWithCursor()
{
    // A window that is already in place is not moved again.
    const QPoint cursor = QCursor::pos();
    const auto left = DragMath::edgeTwips(cursor.x(), m_dragStartCursorX, m_dragStartLeft);
    if (left && *left != m_placement->left())
        m_placement->setLeft(*left);
    const auto top = DragMath::edgeTwips(cursor.y(), m_dragStartCursorY, m_dragStartTop);
    if (top && *top != m_placement->top())
        m_placement->setTop(*top);
}

void CountdownWindow::endDrag()
{
    m_dragging = false;
    WindowPlacement::save(*m_placement);
}

void CountdownWindow::noteCursorMoved()
{
    m_cursorMoved = true;
}

void CountdownWindow::centerAndStore()
{
    WindowPlacement::center(*m_placement);
    WindowPlacement::save(*m_placement);
}

void CountdownWindow::closeEvent(QCloseEvent *event)
{
    // The first close unloads the window: its countdown stops and the target
    // is written. Later ones write nothing.
    if (!m_closed) {
        m_closed = true;
        disconnect(m_ticks);
        m_target.save();
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
