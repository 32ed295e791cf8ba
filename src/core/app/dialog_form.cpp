#include "core/app/dialog_form.h"

#include "core/app/user_interface.h"
#include "core/platform/cp932_text.h"

#include <cstdlib>

namespace kovra {

namespace {

constexpr char kOn[] = "on";
constexpr char kOff[] = "off";

} // namespace

bool DialogForm::confirm(UserInterface&)
{
    return true;
}

const FormField* DialogForm::field(const std::string& name) const
{
    for (const auto& field : m_fields)
        if (field.name == name)
            return &field;
    return nullptr;
}

DialogForm::SetResult DialogForm::setFieldText(const std::string& name, const std::string& text)
{
    const FormField* target = field(name);
    if (!target)
        return SetResult::UnknownField;
    return target->set(text) ? SetResult::Set : SetResult::NotAllowed;
}

void DialogForm::addNumberField(const std::string& name, int& value)
{
    // An edit box takes any text; like the dialog, a text that is not a number reads as 0.
    addField({ name, FormField::Kind::Number, {}, [&value] { return std::to_string(value); },
        [&value](const std::string& text) {
            value = int(std::strtol(text.c_str(), nullptr, 10));
            return true;
        } });
}

void DialogForm::addTextField(const std::string& name, std::string& cp932Value, FormField::Kind kind)
{
    addField({ name, kind, {}, [&cp932Value] { return cp932ToUtf8(cp932Value); },
        [&cp932Value](const std::string& text) {
            cp932Value = utf8ToCp932(text);
            return true;
        } });
}

void DialogForm::addCheckField(const std::string& name, bool& value)
{
    addField(
        { name, FormField::Kind::Check, { { kOff, 0 }, { kOn, 1 } }, [&value] { return value ? kOn : kOff; },
            [&value](const std::string& text) {
                if (text != kOn && text != kOff)
                    return false;
                value = text == kOn;
                return true;
            } });
}

void DialogForm::addChoiceField(const std::string& name, const std::vector<ChoiceItem>& choices, int& value)
{
    addField(
        { name, FormField::Kind::Choice, choices, [&value, choices] { return choiceText(choices, value); },
            [&value, choices](const std::string& text) {
                for (const auto& choice : choices) {
                    if (choice.text == text) {
                        value = choice.value;
                        return true;
                    }
                }
                return false;
            } });
}

bool acceptDialog(DialogForm& form, UserInterface& ui)
{
    if (const auto failure = form.check()) {
        ui.showMessage(*failure);
        return false;
    }
    return form.confirm(ui);
}

std::string choiceText(const std::vector<ChoiceItem>& choices, int value)
{
    for (const auto& choice : choices)
        if (choice.value == value)
            return choice.text;
    return {};
}

} // namespace kovra
