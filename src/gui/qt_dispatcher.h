#pragma once

#include "core/app/window_dispatcher.h"

#include <QObject>
#include <QPointer>

namespace kovra {

// Posts tasks to the thread of a QObject (the main window) as queued calls. Tasks posted
// after the object is gone are dropped by Qt.
class QtDispatcher : public WindowDispatcher {
public:
    explicit QtDispatcher(QObject* context);
    void post(std::function<void()> task) override;

private:
    QPointer<QObject> m_context;
};

} // namespace kovra
