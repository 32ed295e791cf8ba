#include "gui/qt_user_interface.h"

#include "gui/core_text.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QThread>
#include <chrono>
#include <future>

namespace kovra {

QtUserInterface::QtUserInterface(QWidget* parent)
    : m_parent(parent)
{
}

template <typename Result> Result QtUserInterface::onGuiThread(std::function<Result()> call, Result fallback)
{
    if (m_shutDown)
        return fallback;
    if (QThread::currentThread() == QCoreApplication::instance()->thread())
        return call();
    auto promise = std::make_shared<std::promise<Result>>();
    auto answer = promise->get_future();
    QWidget* context = m_parent.data();
    if (!context)
        return fallback;
    QMetaObject::invokeMethod(
        context, [promise, call] { promise->set_value(call()); }, Qt::QueuedConnection);
    // Wait in slices so that a window closing meanwhile releases the worker.
    while (answer.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (m_shutDown)
            return fallback;
    }
    return answer.get();
}

void QtUserInterface::showMessage(const std::string& text)
{
    onGuiThread<bool>(
        [this, text] {
            QMessageBox::information(m_parent, QString(), coreText(text), QMessageBox::Ok);
            return true;
        },
        false);
}

bool QtUserInterface::askOkCancel(const std::string& text)
{
    return onGuiThread<bool>(
        [this, text] {
            return QMessageBox::question(m_parent, QString(), coreText(text),
                       QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
                == QMessageBox::Ok;
        },
        false);
}

bool QtUserInterface::askYesNo(const std::string& text)
{
    return onGuiThread<bool>(
        [this, text] {
            return QMessageBox::question(m_parent, QString(), coreText(text),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
                == QMessageBox::Yes;
        },
        false);
}

std::optional<std::string> QtUserInterface::chooseFile(
    FileMode mode, const std::string& filter, const std::string& suggestedName)
{
    return onGuiThread<std::optional<std::string>>(
        [this, mode, filter, suggestedName]() -> std::optional<std::string> {
            // "caption|pattern" becomes Qt's "caption (pattern)".
            const QString qtFilter = QString::fromStdString(filter).replace('|', " (") + ")";
            const QString path = mode == FileMode::Open ? QFileDialog::getOpenFileName(
                                     m_parent, QString(), QString::fromStdString(suggestedName), qtFilter)
                                                        : QFileDialog::getSaveFileName(m_parent, QString(),
                                                            QString::fromStdString(suggestedName), qtFilter);
            if (path.isEmpty())
                return std::nullopt;
            return path.toStdString();
        },
        std::nullopt);
}

bool QtUserInterface::openDialog(DialogForm& form)
{
    return onGuiThread<bool>(
        [this, &form] { return m_dialogOpener ? m_dialogOpener(m_parent, form) : false; }, false);
}

} // namespace kovra
