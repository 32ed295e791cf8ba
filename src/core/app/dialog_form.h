#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kovra {

class UserInterface;

// One row of a choice list: the text the list shows and the value it stands for.
struct ChoiceItem {
    std::string text;
    int value = 0;
};

// One named value of a dialog, readable and writable as UTF-8 text. The CLI fills forms
// through these names; the Qt dialogs use the forms' own typed accessors.
struct FormField {
    enum class Kind {
        Text, // free text (cp932 on the wire; UTF-8 here)
        Number, // decimal text, as the dialog's edit holds it
        Choice, // one of `choices` by its text
        Check, // "on" / "off"
        Secret, // free text never printed unless asked for (passwords)
    };
    std::string name; // lower-case, hyphenated: "keep-idle", "do3.mode"
    Kind kind = Kind::Text;
    std::vector<ChoiceItem> choices; // Choice only
    std::function<std::string()> get;
    // False when the text is not one the field can take (a choice outside its list, a
    // check that is neither "on" nor "off"); the form is then unchanged.
    std::function<bool(const std::string&)> set;
};

// The logic of one setting dialog (its values, its checks in order and its questions), kept
// apart from any widgets. A flow hands a form to UserInterface::openDialog; the GUI shows
// the dialog registered for its template id, the CLI fills it from FIELD=VALUE words,
// tests fill it from a script. All of them close it with OK through acceptDialog.
class DialogForm {
public:
    DialogForm() = default;
    // The fields refer to the form's own members: a form stays where it was made.
    DialogForm(const DialogForm&) = delete;
    DialogForm& operator=(const DialogForm&) = delete;
    virtual ~DialogForm() = default;

    // The dialog template the form belongs to (for example 143 for DoModesDialog).
    virtual int templateId() const = 0;
    // The dialog's class name ("DoModesDialog"): what kovractl --json calls it.
    virtual std::string dialogName() const = 0;

    // OK's checks in the dialog's order. The first failing check's message, or nothing when
    // every check passes (the form then holds the values OK hands on). Checks may store
    // what they have read (a copied text, a derived mask) as the dialog does.
    virtual std::optional<std::string> check() = 0;
    // The questions OK asks once the checks pass, in order; false keeps the dialog open
    // (the form may have changed a value, as a question answered No does).
    virtual bool confirm(UserInterface& ui);

    // The fields the dialog shows for its unit, in the dialog's order (hidden rows and
    // controls are not among them).
    const std::vector<FormField>& fields() const { return m_fields; }
    const FormField* field(const std::string& name) const;

    enum class SetResult { Set, UnknownField, NotAllowed };
    SetResult setFieldText(const std::string& name, const std::string& text);

protected:
    void addField(FormField field) { m_fields.push_back(std::move(field)); }
    // Shorthands for the common kinds; `choices` texts are what the dialog's list shows.
    void addNumberField(const std::string& name, int& value);
    void addTextField(
        const std::string& name, std::string& cp932Value, FormField::Kind kind = FormField::Kind::Text);
    void addCheckField(const std::string& name, bool& value);
    void addChoiceField(const std::string& name, const std::vector<ChoiceItem>& choices, int& value);

private:
    std::vector<FormField> m_fields;
};

// OK pressed: the checks (the first failure's message is shown and the dialog stays open),
// then the questions. True when the dialog closes with OK.
bool acceptDialog(DialogForm& form, UserInterface& ui);

// The text of a choice value, or empty when the value is not in the list.
std::string choiceText(const std::vector<ChoiceItem>& choices, int value);

} // namespace kovra
