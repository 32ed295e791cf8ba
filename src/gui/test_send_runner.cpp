#include "gui/test_send_runner.h"

#include "core/app/setting_outcome_text.h"
#include "core/app/user_interface.h"

#include <QThread>
#include <QWidget>
#include <memory>

namespace kovra {

TestSendRunner::TestSendRunner(
    QWidget* button, UserInterface& ui, std::function<void()> ended, std::function<std::string(int)> message)
    : m_button(button)
    , m_ui(ui)
    , m_ended(std::move(ended))
    , m_message(message ? std::move(message) : testSendMessage)
{
}

TestSendRunner::~TestSendRunner()
{
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

void TestSendRunner::start(std::function<int()> send)
{
    if (!send || m_thread)
        return;
    auto result = std::make_shared<int>(0);
    m_thread = QThread::create([send = std::move(send), result] { *result = send(); });
    m_button->setEnabled(false);
    QObject::connect(m_thread, &QThread::finished, m_button, [this, result] {
        m_thread->deleteLater();
        m_thread = nullptr;
        if (m_ended)
            m_ended();
        else
            m_button->setEnabled(true);
        m_ui.showMessage(m_message(*result));
    });
    m_thread->start();
}

} // namespace kovra
