#pragma once

#include <functional>

namespace kovra {

class UserInterface;

// The test button of a mail dialog, for a front-end that presses it by number (kovractl
// --test N) rather than through the dialog's own widgets.
class MailTestSend {
public:
    virtual ~MailTestSend() = default;
    // How many tests the dialog offers: one per DI tab on the per-input dialog, one on the
    // one-account dialogs, 0 where its button is hidden.
    virtual int testCount() const = 0;
    // Test `index` (0-based) as its button runs it: the checks (their message is shown), the
    // question, then the send as a job to run on any thread; empty when it does not go ahead.
    virtual std::function<int()> prepareTest(int index, UserInterface& ui) = 0;
};

} // namespace kovra
