#pragma once

// The window thread's longest stall: the largest gap between two ticks of a 5 ms timer, with
// what was in front on each side of it (the window, or the modal dialog or message box). The
// timer ticks inside the modal windows' own event loops too, so the figure is what the
// operator feels, the time the dialogs and message boxes are open included.

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <algorithm>

class StallMeter {
public:
    StallMeter()
    {
        m_ticker.setInterval(5);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] { tick(); });
    }

    void start()
    {
        m_longestMs = 0;
        m_where = "window";
        m_front = front();
        m_sinceTick.start();
        m_ticker.start();
    }
    void stop()
    {
        tick();
        m_ticker.stop();
    }

    qint64 longestMs() const { return m_longestMs; }
    // "before -> after": what was in front when the longest stall began and when it ended.
    QString where() const { return m_where; }

private:
    static QString front()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return "window";
        return modal->objectName().isEmpty() ? modal->metaObject()->className() : modal->objectName();
    }

    void tick()
    {
        const qint64 gap = m_sinceTick.restart();
        const QString now = front();
        if (gap > m_longestMs) {
            m_longestMs = gap;
            m_where = m_front == now ? now : m_front + " -> " + now;
        }
        m_front = now;
    }

    QTimer m_ticker;
    QElapsedTimer m_sinceTick;
    qint64 m_longestMs = 0;
    QString m_where;
    QString m_front;
};
