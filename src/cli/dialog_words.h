#pragma once

#include "core/app/dialog_form.h"

#include <optional>
#include <string>
#include <vector>

namespace kovra::cli {

// A setting dialog on the command line: its fields filled from FIELD=VALUE words, or its
// values printed when there are none. Works on any DialogForm through its named fields, so
// a new dialog needs nothing here.

// The values as the dialog would show them: one "field: value" line each in the dialog's
// order, or with `json` one object {"dialog": NAME, "fields": {field: value, ...}}.
// Secret fields read "*" unless `showSecrets`.
std::string dialogValuesText(const DialogForm& form, bool showSecrets, bool json);

// Applies each FIELD=VALUE word in order (split at its first '='), as the operator would
// edit the dialog. Nothing, or the usage error that stopped it: an unknown field (with the
// dialog's fields) or a value outside a list (with the values it allows).
std::optional<std::string> applyDialogWords(DialogForm& form, const std::vector<std::string>& words);

} // namespace kovra::cli
