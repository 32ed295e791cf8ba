#include "gui/qt_user_interface.h"

#include "core/app/file_dialog_filter.h"
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

bool QtUserInterface::askBeforeWrite(const std::string& text, const std::string& details)
{
    return onGuiThread<bool>(
        [this, text, details] {
            QMessageBox box(QMessageBox::Question, QString(), coreText(text),
                QMessageBox::Ok | QMessageBox::Cancel, m_parent);
            box.setDefaultButton(QMessageBox::Cancel);
            box.setObjectName("writeQuestion");
            if (!details.empty())
                box.setInformativeText("<pre>" + coreText(details).toHtmlEscaped() + "</pre>");
            return box.exec() == QMessageBox::Ok;
        },
        false);
}

// "caption|*.a;*.b|..." becomes Qt's "caption (*.a *.b);;...".
static QString qtFileFilter(const std::string& filter)
{
    QStringList entries;
    for (const FileFilter& entry : parseFileFilter(filter)) {
        QString caption = QString::fromStdString(entry.caption);
        caption = caption.left(caption.indexOf('(')).trimmed(); // Qt shows the patterns itself
        QStringList patterns;
        for (const std::string& pattern : entry.patterns)
            patterns << QString::fromStdString(pattern);
        entries << caption + " (" + patterns.join(' ') + ")";
    }
    return entries.join(";;");
}

std::optional<std::string> QtUserInterface::chooseFile(
    FileMode mode, const std::string& filter, const std::string& suggestedName)
{
    return onGuiThread<std::optional<std::string>>(
        [this, mode, filter, suggestedName]() -> std::optional<std::string> {
            const QString qtFilter = qtFileFilter(filter);
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
