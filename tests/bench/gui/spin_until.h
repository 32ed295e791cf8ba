#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

// Runs the event loop until `done` holds, at most `limitMs`; whether it holds.
inline bool spinUntil(const std::function<bool()>& done, int limitMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < limitMs)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}
