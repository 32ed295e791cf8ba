#pragma once

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace kovra::test_support {

// Accepts every message box a flow opens, as an operator pressing OK, and keeps its text.
class MessageBoxCloser {
public:
    MessageBoxCloser()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                if (box->inherits("QMessageBox")) {
                    m_texts << box->findChild<QLabel*>("qt_msgbox_label")->text();
                    box->close();
                }
            }
        });
        m_timer.start(20);
    }
    QStringList texts() const { return m_texts; }

private:
    QTimer m_timer;
    QStringList m_texts;
};

} // namespace kovra::test_support
