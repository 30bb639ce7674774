// The baseline for the resource measurements: the least a Qt Widgets program
// with text costs. One frameless 800 x 125 label with bold 28 pt text whose
// text changes once a second, woken by one of two timers:
// - by default the 1 ms precise timer the widget had before it ticked once a
//   second (start-up and soak figures are against this one);
// - with --single-shot, a single-shot timer armed for just after the next
//   whole second of the wall clock, which also puts the second in the
//   window's title, so that ticks.sh can time its change.

#include <QApplication>
#include <QDateTime>
#include <QFont>
#include <QLabel>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool singleShot = QApplication::arguments().contains(QStringLiteral("--single-shot"));

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
    timer.setSingleShot(singleShot);
    timer.setInterval(1);
    QObject::connect(&timer, &QTimer::timeout, &window, [&] {
        if (const qint64 second = now(); second != shown) {
            shown = second;
            window.setText(QString::number(second));
            if (singleShot)
                window.setWindowTitle(QString::number(second));
        }
        if (singleShot)
            timer.start(int(1000 - QDateTime::currentMSecsSinceEpoch() % 1000));
    });
    timer.start();

    window.show();
    return QApplication::exec();
}
