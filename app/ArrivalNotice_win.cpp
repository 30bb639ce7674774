#include "app/ArrivalNotice.h"

#include "assets/Assets.h"

#include <QSystemTrayIcon>
#include <QTimer>

#include <chrono>

void ArrivalNotice::show(const DateValue &target)
{
    // An icon of its own for each notice, gone once it or its message is
    // clicked, or after a minute. Without a notification area the shell
    // refuses the icon, and nothing shows.
    auto *icon = new QSystemTrayIcon(Assets::clockIcon(), this);
    icon->setToolTip(QStringLiteral("Taloran"));
    const auto click = [this, icon] {
        icon->deleteLater();
        emit activated();
    };
    connect(icon, &QSystemTrayIcon::messageClicked, this, click);
    connect(icon, &QSystemTrayIcon::activated, this, click);
    QTimer::singleShot(std::chrono::minutes(1), icon, &QObject::deleteLater);
    icon->show();
    icon->showMessage(QStringLiteral("Taloran"), text(target), Assets::clockIcon());
}
