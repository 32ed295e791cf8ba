#pragma once

#include "core/alerts/analog_entry.h"

#include <QString>
#include <functional>

class QLineEdit;
class QWidget;

namespace kovra {

// How the analog dialogs show a message: a modal box with no title and an OK button.
// Dialogs take one of these so that tests can answer it instead of a person.
using AnalogMessage = std::function<void(QWidget* parent, const QString& text)>;

void showAnalogMessageBox(QWidget* parent, const QString& text);

// Shows what one change of a numeric edit box gave: the filter's message, then the box
// reset to the accepted run or rewritten with the limited value.
void applyAnalogEntry(QLineEdit* box, const AnalogEntryOutcome& outcome, const AnalogMessage& message);

} // namespace kovra
