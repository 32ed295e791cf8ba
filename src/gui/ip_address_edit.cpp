#include "gui/ip_address_edit.h"

#include <QRegularExpressionValidator>

namespace kovra {

IpAddressEdit::IpAddressEdit(QWidget* parent)
    : QLineEdit(parent)
{
    const QString part = "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])";
    setValidator(new QRegularExpressionValidator(
        QRegularExpression("^(" + part + "(\\." + part + "){0,3}\\.?)?$"), this));
    setMaxLength(15);
}

} // namespace kovra
