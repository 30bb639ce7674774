#pragma once

#include "countdown/DateValue.h"

#include <QPixmap>
#include <QPoint>
#include <QStringList>
#include <QWidget>

#include <optional>

class CountdownTarget;
class NumberLabel;
class PictureButton;

// The widget itself: a borderless 800 x 125 window that counts down to the
// target in five number labels on a picture background, with minimize,
// details and close buttons, dragged by its background. A view of the
// target: it refreshes in full whenever the target changes.
class CountdownWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CountdownWindow(CountdownTarget &target, QWidget *parent = nullptr);
    ~CountdownWindow() override;

    // Start-up: restores the window's stored place or centres it, minimizes
    // it when `arguments` (the command line without the program) is not
    // empty, and shows it.
    void start(const QStringList &arguments);

    // Shows the window in front of the others and gives it the keyboard,
    // restoring it when it is minimized, or opening it again (see reopen())
    // when it has closed.
    void bringToFront();

    // Opens the window again once it has closed, as the dialog can outlive
    // it: at its remembered place (or centred), counting to the target as it
    // stands, and minimized when asked. Nothing while it is open.
    void reopen(bool minimized);

signals:
    // The details button was clicked: the program opens the details dialog.
    void detailsRequested();
    // The window has closed (it unloads): the program writes a changed
    // target. Once per close; the window may be opened again (reopen()).
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private slots:
    void tick();
    void refresh();
    void minimize();

private:
    void addControls();
    void endDrag();
    // Restores the stored place or centres the window, minimizes it when
    // asked, and shows it.
    void placeAndShow(bool minimized);
    // Works out the time left and writes it into the five labels and the
    // caption. Unless forced, a call in the second of the last one does nothing.
    void updateDisplay(bool force);
    // Rebuilds the caption: the time left while minimized, the title otherwise.
    void updateCaption();

    CountdownTarget &m_target;

    QMetaObject::Connection m_ticks;
    QPixmap m_background;
    PictureButton *m_minimizeButton = nullptr;
    PictureButton *m_closeButton = nullptr;
    PictureButton *m_detailsButton = nullptr;
    NumberLabel *m_weeksLabel = nullptr;
    NumberLabel *m_daysLabel = nullptr;
    NumberLabel *m_hoursLabel = nullptr;
    NumberLabel *m_minutesLabel = nullptr;
    NumberLabel *m_secondsLabel = nullptr;

    // The moment of the last full update.
    std::optional<DateValue> m_lastUpdate;
    bool m_closed = false;

    // While dragged: the button that started it, and where the cursor is on
    // the window, from its corner.
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPoint m_dragOffset;
    // Where a window started minimized goes when it is first restored.
    std::optional<QPoint> m_placeOnFirstRestore;
};
