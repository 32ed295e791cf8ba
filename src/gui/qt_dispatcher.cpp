#include "gui/qt_dispatcher.h"

#include <QMetaObject>

namespace kovra {

QtDispatcher::QtDispatcher(QObject* context)
    : m_context(context)
{
}

void QtDispatcher::post(std::function<void()> task)
{
    QObject* context = m_context.data();
    if (!context)
        return;
    QMetaObject::invokeMethod(context, std::move(task), Qt::QueuedConnection);
}

} // namespace kovra
