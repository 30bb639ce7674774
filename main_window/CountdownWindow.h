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

// The borderless 800 x 125 widget: five number labels on a picture
// background, three picture buttons, dragged by its background. A view of
// the target, refreshed in full whenever the target changes.
class CountdownWindow : public QWidget
{
    Q_OBJECT
public:
    explicit CountdownWindow(CountdownTarget &target, QWidget *parent = nullptr);
    ~CountdownWindow() override;

    // Shows the window at its stored place or centred; minimized when there
    // are any arguments.
    void start(const QStringList &arguments);

    // Restores or reopens the window as needed and activates it.
    void bringToFront();

    // Opens the window again after it has closed, since the dialog can
    // outlive it; nothing while it is open.
    void reopen(bool minimized);

signals:
    void detailsRequested();
    // Once per close, so that a changed target is written.
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
    void placeAndShow(bool minimized);
    // Unless forced, a call within the second of the last update does nothing.
    void updateDisplay(bool force);
    // The time left while minimized, the title otherwise.
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

    // The button that started a drag, and the cursor's offset from the corner.
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPoint m_dragOffset;
    // Where a window started minimized goes when it is first restored.
    std::optional<QPoint> m_placeOnFirstRestore;
};
