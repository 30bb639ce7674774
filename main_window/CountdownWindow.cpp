#include "main_window/CountdownWindow.h"

#include "assets/Assets.h"
#include "countdown/Countdown.h"
#include "countdown/CountdownTarget.h"
#include "platform/LocalClock.h"
#include "main_window/NumberLabel.h"
#include "main_window/PictureButton.h"
#include "platform/SecondTicker.h"
#include "window_placement/WindowPlacement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

namespace {

// The key of the window's bounds under "Form Positions": part of the stored
// format, whatever the class is called.
const QString placementKey = QStringLiteral("frmMain");

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
    setAttribute(Qt::WA_OpaquePaintEvent);
    addControls();
    connect(&m_target, &CountdownTarget::changed, this, &CountdownWindow::refresh);
}

CountdownWindow::~CountdownWindow() = default;

void CountdownWindow::addControls()
{
    const auto button = [&](const char *name, const QString &picture, int x,
                            const QString &accessibleName) {
        auto *pictureButton = new PictureButton(picture, this);
        pictureButton->setObjectName(QLatin1String(name));
        pictureButton->setGeometry(x, 77, 40, 40);
        pictureButton->setAccessibleName(accessibleName);
        return pictureButton;
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
        auto *number = new NumberLabel(QStringLiteral("00"), wordBaseline, this);
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

    // The buttons lie above the labels where the seconds label meets them.
    for (PictureButton *pictureButton : {m_minimizeButton, m_closeButton, m_detailsButton})
        pictureButton->raise();

    // The window itself starts the tab chain and holds the focus first, so
    // that no button shows a focus frame until Tab reaches it.
    setFocusPolicy(Qt::TabFocus);
    setTabOrder(this, m_detailsButton);
    setTabOrder(m_detailsButton, m_closeButton);
    setTabOrder(m_closeButton, m_minimizeButton);
    setFocus();

    // Ticks once a second with the dialog, and a first time as soon as the
    // program runs.
    m_ticks = connect(&SecondTicker::instance(), &SecondTicker::ticked, this, &CountdownWindow::tick);
    QTimer::singleShot(0, this, &CountdownWindow::tick);
}

namespace {

void setText(QLabel *label, const QString &text)
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
            setText(label, zero);
        return;
    }

    const int seconds = Countdown::secondsField(now, target);
    if (!force && seconds == m_lastSecond)
        return;

    const CountdownFields fields = Countdown::breakDown(now, target);
    setText(m_secondsLabel, QString::number(fields.seconds));
    m_lastSecond = fields.seconds;
    setText(m_minutesLabel, QString::number(fields.minutes));
    setText(m_hoursLabel, QString::number(fields.hours));
    setText(m_weeksLabel, QString::number(fields.weeks()));
    setText(m_daysLabel, QString::number(fields.daysOfWeek()));
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

void CountdownWindow::openDetails()
{
    // Opening the dialog must never take the widget down with it.
    try {
        emit detailsRequested();
    } catch (...) {
    }
}

void CountdownWindow::paintEvent(QPaintEvent *)
{
    // Decoded at the first paint, so that start-up does not wait for it.
    if (m_background.isNull())
        m_background = Assets::pixmap(QStringLiteral("background"), devicePixelRatioF());
    QPainter(this).drawPixmap(0, 0, m_background);
}

// A press on the background (labels and buttons keep theirs) starts a drag
// with any button; the window then follows the cursor until the release.
void CountdownWindow::mousePressEvent(QMouseEvent *event)
{
    if (WindowPlacement::isNativeWayland()) {
        // Only the compositor may move a window there.
        if (QWindow *window = windowHandle())
            window->startSystemMove();
        return;
    }
    m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
    // A move without a button held then still arrives: the release went
    // elsewhere (a lost grab), and ends the drag as the release would have.
    setMouseTracking(true);
}

void CountdownWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragOffset)
        return;
    if (event->buttons() == Qt::NoButton) {
        endDrag();
        return;
    }
    const QPoint corner = event->globalPosition().toPoint() - *m_dragOffset;
    if (corner != frameGeometry().topLeft())
        move(corner);
}

void CountdownWindow::mouseReleaseEvent(QMouseEvent *)
{
    if (m_dragOffset)
        endDrag();
}

void CountdownWindow::endDrag()
{
    m_dragOffset.reset();
    setMouseTracking(false);
    WindowPlacement::save(*this, placementKey);
}

void CountdownWindow::mouseDoubleClickEvent(QMouseEvent *)
{
    // The second press comes as this event, not as a press, so it starts no
    // drag; one left open by a lost release ends here, where centred.
    m_dragOffset.reset();
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
        m_dragOffset.reset();
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
