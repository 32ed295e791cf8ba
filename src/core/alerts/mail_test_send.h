#pragma once

#include "core/app/user_interface.h"

#include <functional>
#include <optional>
#include <string>

namespace kovra {

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

// The start a one-account or per-input test button shares: the first failing check is shown,
// else the operator is asked before the settings are written; true when the test goes ahead.
inline bool testSendConfirmed(const std::optional<std::string>& failure, UserInterface& ui)
{
    if (failure) {
        ui.showMessage(*failure);
        return false;
    }
    return ui.askOkCancel("設定を機器に書き込み、メール送信テストをします。");
}

} // namespace kovra
