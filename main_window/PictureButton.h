#pragma once

#include "PictureBox.h"

// A picture box that is a button: it reports a click, a left press and
// release over the same box. Its presses never reach the box beneath it.
class PictureButton : public PictureBox
{
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool m_pressedInside = false;
};
