#pragma once

#include <QPixmap>
#include <QWidget>

// A picture box: shows one picture unscaled at its top-left corner. As the
// background it reports presses, releases and double-clicks; as a button it
// reports a click, a press and release over the same box.
class PictureBox : public QWidget
{
    Q_OBJECT
public:
    enum class Role { Background, Button };

    PictureBox(Role role, QWidget *parent);

    void setPicture(const QPixmap &picture);
    const QPixmap &picture() const { return m_picture; }

signals:
    void mouseDown();
    void mouseUp();
    void doubleClicked();
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    Role m_role;
    QPixmap m_picture;
    bool m_pressedInside = false;
};
