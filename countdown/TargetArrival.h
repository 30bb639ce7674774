#pragma once

#include <QObject>

class CountdownTarget;

// The moment the countdown reaches its target while the program runs. It is
// armed while the target lies ahead of the clock: at the start and whenever a
// new target is set. The first check() that finds the target no longer ahead
// emits arrived(), once. A target reached before the start (a past one is
// pulled up to the start moment) or set in the past does not arrive.
class TargetArrival : public QObject
{
    Q_OBJECT
public:
    explicit TargetArrival(const CountdownTarget &target, QObject *parent = nullptr);

    // Compares the clock with an armed target, nothing more. Called on every
    // tick, so a clock that jumps past the target, as after a suspend, arrives
    // at the next one.
    void check();

signals:
    void arrived();

private:
    void arm();

    const CountdownTarget &m_target;
    bool m_armed = false;
};
