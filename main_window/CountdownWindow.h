#pragma once

#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <memory>
#include <optional>

class CountdownTarget;
class PictureBox;
class PictureButton;
class QLabel;
class WidgetPlacedWindow;

// The widget itself: a borderless 800 x 125 window that counts down to the
// target in five number labels on a picture background, with minimize,
// details and close buttons, dragged by its background. A view of the
// target: it refreshes in full whenever the target changes, and writes the
// target to the settings store when it closes.
class CountdownWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CountdownWindow(CountdownTarget &target, QWidget *parent = nullptr);
    ~CountdownWindow() override;

    // Start-up: loads the target, restores the window's stored place or
    // centres it, minimizes it when `arguments` (the command line without the
    // program) is not empty, and shows it.
    void start(const QStringList &arguments);

    // Shows the window in front of the others and gives it the keyboard,
    // restoring it when it is minimized. Nothing once it has closed.
    void bringToFront();

signals:
    // The details button was clicked: the program opens the details dialog.
    void detailsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private slots:
    void tick();
    void refresh();
    void minimize();
    void openDetails();
    void drag(const QPoint &pressedAt);
    void endDrag();
    void noteCursorMoved();
    void centerAndStore();

private:
    void createControls();
    // Works out the time left and writes it into the five labels. Unless
    // forced, a call in the same second as the last full update does nothing.
    void updateDisplay(bool force);
    // Rebuilds the caption: the time left while minimized, the title otherwise.
    void updateCaption();
    void moveWithCursor();

    CountdownTarget &m_target;
    std::unique_ptr<WidgetPlacedWindow> m_placement;

    QMetaObject::Connection m_ticks;
    PictureBox *m_background = nullptr;
    PictureButton *m_minimizeButton = nullptr;
    PictureButton *m_closeButton = nullptr;
    PictureButton *m_detailsButton = nullptr;
    QLabel *m_secondsLabel = nullptr;
    QLabel *m_minutesLabel = nullptr;
    QLabel *m_hoursLabel = nullptr;
    QLabel *m_daysLabel = nullptr;
    QLabel *m_weeksLabel = nullptr;

    // The seconds value of the last full update.
    int m_lastSecond = 0;
    bool m_closed = false;

    // Drag state: the cursor and the window's corner, in pixels, at the press.
    qint32 m_dragStartCursorX = 0;
    qint32 m_dragStartCursorY = 0;
    qint32 m_dragStartLeft = 0;
    qint32 m_dragStartTop = 0;
    bool m_dragging = false;
    // The cursor has moved since the window last followed it.
    bool m_cursorMoved = false;
    // Where a window started minimized goes when it is first restored.
    std::optional<QPoint> m_placeOnFirstRestore;
};
