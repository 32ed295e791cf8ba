#include "cli/dialog_words.h"

#include "cli/secret_text.h"

#include <nlohmann/json.hpp>

namespace kovra::cli {

namespace {

std::string listed(const std::vector<std::string>& items)
{
    std::string text;
    for (const auto& item : items)
        text += (text.empty() ? "" : ", ") + item;
    return text;
}

std::string shownValue(const FormField& field, bool showSecrets)
{
    const std::string value = field.get();
    return field.kind == FormField::Kind::Secret ? secretText(value, showSecrets) : value;
}

} // namespace

std::string dialogValuesText(const DialogForm& form, bool showSecrets, bool json)
{
    if (json) {
        // Keeps the dialog's order of the fields.
        nlohmann::ordered_json fields = nlohmann::ordered_json::object();
        for (const auto& field : form.fields())
            fields[field.name] = shownValue(field, showSecrets);
        return nlohmann::ordered_json { { "dialog", form.dialogName() }, { "fields", fields } }.dump(2)
            + "\n";
    }
    std::string text;
    for (const auto& field : form.fields())
        text += field.name + ": " + shownValue(field, showSecrets) + "\n";
    return text;
}

std::optional<std::string> applyDialogWords(DialogForm& form, const std::vector<std::string>& words)
{
    for (const auto& word : words) {
        const size_t equals = word.find('=');
        const std::string name = word.substr(0, equals);
        const std::string value = equals == std::string::npos ? std::string() : word.substr(equals + 1);
        switch (form.setFieldText(name, value)) {
        case DialogForm::SetResult::Set:
            break;
        case DialogForm::SetResult::UnknownField: {
            std::vector<std::string> names;
            for (const auto& field : form.fields())
                names.push_back(field.name);
            return form.dialogName() + " has no field \"" + name + "\"; its fields: " + listed(names);
        }
        case DialogForm::SetResult::NotAllowed: {
            std::vector<std::string> allowed;
            for (const auto& choice : form.field(name)->choices)
                allowed.push_back(choice.text);
            if (allowed.empty())
                return name + " does not take \"" + value + "\"";
            return name + " takes " + listed(allowed) + "; not \"" + value + "\"";
        }
        }
    }
    return std::nullopt;
}

} // namespace kovra::cli
