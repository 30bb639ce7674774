// The baseline for the resource measurements: the least a Qt Widgets program
// with text costs. One frameless 800 x 125 label with bold 28 pt text, and the
// widget's 1 ms precise timer, which changes the text once a second. Whatever
// the widget spends above this program is the widget's own work.

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);

    QLabel window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setWindowTitle(QStringLiteral("Taloran floor"));
    window.setFixedSize(800, 125);
    window.setAlignment(Qt::AlignCenter);
    QFont font = window.font();
    font.setPointSize(28);
    font.setBold(true);
    window.setFont(font);

    const auto now = [] { return QDateTime::currentSecsSinceEpoch(); };
    qint64 shown = now();
    window.setText(QString::number(shown));

    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        if (const qint64 second = now(); second != shown) {
            shown = second;
            window.setText(QString::number(second));
        }
    });
    timer.start();

    window.show();
    return QApplication::exec();
}
