// The baseline for the resource measurements: the least a program can cost
// that shows one frameless 800 x 125 window and runs a 1 ms precise timer.
// The timer's slot does nothing, so whatever the widget spends above this
// program is the widget's own work.

#include <QApplication>
#include <QTimer>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Taloran floor"));
    window.setFixedSize(800, 125);

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, [] {});
    timer.start();

    window.show();
    return QApplication::exec();
}
