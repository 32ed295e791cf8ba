#include "gui/analog_entry_box.h"

#include "core/alerts/numeric_entry_filter.h"
#include "gui/core_text.h"

#include <QLineEdit>
#include <QMessageBox>

namespace kovra {

void showAnalogMessageBox(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString(), text, QMessageBox::Ok, parent);
    box.exec();
}

void applyAnalogEntry(QLineEdit* box, const AnalogEntryOutcome& outcome, const AnalogMessage& message)
{
    if (outcome.nonNumeric)
        message(box->window(), coreText(kNonNumericEntryMessage));
    if (outcome.replaceText)
        box->setText(QString::fromStdString(outcome.text));
}

} // namespace kovra
