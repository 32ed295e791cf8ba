#pragma once

#include "core/alerts/classic_mail_values.h"
#include "core/alerts/mail_account_form.h"
#include "core/alerts/mail_test_send.h"
#include "core/settings/write_plan.h"
#include "core/units/unit_record.h"

#include <functional>
#include <optional>
#include <string>

namespace kovra {

// The classic mail alert dialog has no template number among the units' dialogs; it is
// registered under this one.
constexpr int kClassicMailTemplateId = 155;

// The mail alert dialog of the binary kinds (0, 1 and 4), "メールアラート設定": one SMTP
// account, the rows "DI1 有効".."DIn 有効" with their ON/OFF lists up to the model's DI count,
// and up to three analog rows in percent of full scale (group "QM-210 / QM-220 / QM-230").
// Fields: the account's (mail_account_form.h); diN.enabled and diN.edge (on/off); aiN.low and
// aiN.high (percent), aiN.led (inside/outside) and, on the models with the AI mail alert
// column, aiN.mail (off/lit/unlit).
class ClassicMailForm : public MailAccountForm, public MailTestSend {
public:
    ClassicMailForm(const UnitRecord& unit, const ClassicMailValues& values);

    static std::string diField(int row, const char* name);
    static std::string aiField(int row, const char* name);

    int templateId() const override { return kClassicMailTemplateId; }
    std::string dialogName() const override { return "ClassicMailDialog"; }
    // The analog rows' percents (an overflowing one refuses its row: "AI<n>の閾値設定が
    // 正しくありません。"), then the account's checks.
    std::optional<std::string> check() override;

    int diCount() const { return m_diCount; }
    int analogCount() const { return m_analogCount; }
    // Models 8 and 10 (QM-210) have the AI mail alert column.
    bool analogMail() const { return m_analogMail; }

    bool diEnabled(int row) const { return bit(m_enableBits, row); }
    bool diOnEdge(int row) const { return bit(m_edgeBits, row); }
    void setDiEnabled(int row, bool on);
    void setDiOnEdge(int row, bool on);
    ClassicAnalogRow& analogRow(int row) { return m_analog[size_t(row)]; }
    std::string& lowText(int row) { return m_lowText[size_t(row)]; }
    std::string& highText(int row) { return m_highText[size_t(row)]; }

    // The values OK hands on, once check() has passed.
    ClassicMailValues accepted() const;

    // Runs a plan against the unit (runWritePlan); the path sets it, without it there is no
    // test.
    using PlanRunner = std::function<int(const WritePlan& plan)>;
    void setPlanRunner(PlanRunner runner) { m_runner = std::move(runner); }

    // The test button, up to the send: the checks, then "設定を機器に書き込み、メール送信
    // テストをします。" (OK/Cancel); on OK the job that writes the DI masks and analog rows and
    // sends the test message.
    std::function<int()> prepareTestSend(UserInterface& ui);
    int testCount() const override { return m_runner ? 1 : 0; }
    std::function<int()> prepareTest(int, UserInterface& ui) override { return prepareTestSend(ui); }

private:
    static bool bit(std::array<bool, 8> bits, int row) { return row >= 0 && row < 8 && bits[size_t(row)]; }

    const UnitRecord m_unit;
    const int m_diCount;
    const int m_analogCount;
    const bool m_analogMail;
    std::array<bool, 8> m_enableBits {};
    std::array<bool, 8> m_edgeBits {};
    std::array<ClassicAnalogRow, kClassicAnalogRows> m_analog {};
    std::array<std::string, kClassicAnalogRows> m_lowText;
    std::array<std::string, kClassicAnalogRows> m_highText;
    PlanRunner m_runner;
};

// How many analog rows the classic dialog shows for a model: its AI count, at most three
// (two on model 9).
int classicAnalogRows(int model);

// The account rules of a binary unit: kinds 1 and 4 take a host name with SMTP-AUTH, kind 0
// an address; the limits of the classic checks; the record fields' sizes.
MailAccountRules classicAccountRules(int kind);

} // namespace kovra
