#pragma once

#include <QLineEdit>

namespace kovra {

// An IPv4 address box: accepts only what can grow into a dotted quad; empty is allowed
// (the address group empties its boxes when it is disabled).
class IpAddressEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit IpAddressEdit(QWidget* parent = nullptr);
};

} // namespace kovra
