#include "app/FailurePolicy.h"

#include "countdown/CountdownTarget.h"
#include "platform/SettingsStore.h"

#include <QApplication>
#include <QMessageBox>

FailurePolicy::FailurePolicy(CountdownTarget &target, QObject *parent)
    : QObject(parent), m_target(target)
{
    SettingsStore::setFailureHandler([this](const SettingsStore::WriteFailure &failure) {
        report(tr("Taloran: settings not saved"), failure.message());
    });
}

FailurePolicy::~FailurePolicy()
{
    SettingsStore::setFailureHandler({});
}

void FailurePolicy::report(const QString &title, const QString &text)
{
    if (m_ending || m_showing) {
        log(text);
        return;
    }
    m_showing = true;
    // Plain text the user can select and copy, the file's name with it.
    QMessageBox box(QMessageBox::Warning, title, text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
    m_showing = false;
}

void FailurePolicy::beginEnding()
{
    m_ending = true;
}

void FailurePolicy::end()
{
    m_ending = true;
    QApplication::closeAllWindows();
    QApplication::quit();
}

void FailurePolicy::finish()
{
    m_ending = true;
    m_target.saveIfChanged();
}
