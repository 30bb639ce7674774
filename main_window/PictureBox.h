#pragma once

#include <QPixmap>
#include <QWidget>

#include <functional>

// A picture box: shows one picture unscaled at its top-left corner and
// reports presses (with the place on the screen where each happened),
// releases and double-clicks of any button, and moves of the cursor while a
// button is held. The main window's background.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent);

    void setPicture(const QPixmap &picture);
    // The picture made by LOAD, called as the box is first painted, so that
    // decoding waits until the window is on the screen.
    void setPicture(std::function<QPixmap()> load);

signals:
    void pressed(const QPoint &globalPosition);
    void released();
    void doubleClicked();
    void moved();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    std::function<QPixmap()> m_load;
};
