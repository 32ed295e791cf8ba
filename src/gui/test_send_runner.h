#pragma once

#include <QPointer>
#include <functional>
#include <string>

class QThread;
class QWidget;

namespace kovra {

class UserInterface;

// A dialog's test mail, sent off the GUI thread: its button is off while the send runs, and
// the result's message is shown through the dialog's UserInterface when it has ended. The
// destructor waits for a send still running.
class TestSendRunner {
public:
    // `ended`, if given, sets the button's state after a send; otherwise it is enabled again.
    // `message` gives the text of a send's result (by default testSendMessage's).
    TestSendRunner(QWidget* button, UserInterface& ui, std::function<void()> ended = {},
        std::function<std::string(int)> message = {});
    ~TestSendRunner();
    TestSendRunner(const TestSendRunner&) = delete;
    TestSendRunner& operator=(const TestSendRunner&) = delete;

    // Starts `send` (0 or a failure code); nothing while a send is still running.
    void start(std::function<int()> send);
    bool running() const { return m_thread != nullptr; }

private:
    QPointer<QWidget> m_button;
    UserInterface& m_ui;
    std::function<void()> m_ended;
    std::function<std::string(int)> m_message;
    QThread* m_thread = nullptr;
};

} // namespace kovra
