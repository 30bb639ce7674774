#pragma once

#include "PictureBox.h"

// A picture box that is a button: it reports a click, a left press and
// release over the same box. Its presses never reach the box beneath it.
// With the keyboard focus (reached by Tab) it shows a focus frame, and Space,
// Enter and Return click it; assistive technology sees a push button with
// the accessible name and a press action.
class PictureButton : public PictureBox
{
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent);

public slots:
    // A click, as by the mouse.
    void click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_pressedInside = false;
};
