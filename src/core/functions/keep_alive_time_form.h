#pragma once

#include "core/app/dialog_form.h"

#include <optional>
#include <string>

namespace kovra {

constexpr int kKeepAliveTimeTemplate = 140;

// Field name of a single keep-alive time in seconds.
constexpr const char* kKeepAliveField = "keepalive";

// The one-byte keep-alive seconds of the binary units: 0..65, else
// "Keepaliveは0-65の範囲で設定してください。".
std::optional<std::string> checkByteKeepAlive(int seconds);

// KeepAliveTimeDialog: the older units' keep-alive time. Field: keepalive.
class KeepAliveTimeForm : public DialogForm {
public:
    KeepAliveTimeForm();

    int templateId() const override { return kKeepAliveTimeTemplate; }
    std::string dialogName() const override { return "KeepAliveTimeDialog"; }
    std::optional<std::string> check() override;

    // Read from the unit before the dialog opens.
    int seconds() const { return m_seconds; }
    void setSeconds(int seconds) { m_seconds = seconds; }

private:
    int m_seconds = 0;
};

} // namespace kovra
