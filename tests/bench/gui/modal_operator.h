#pragma once

// Plays the operator of a function button or a setup-file button: answers each modal window
// of the flow as it comes up, the way a person would, from a 20 ms timer. A setting dialog
// gets its fields typed over and OK (Cancel if OK was refused); a file dialog gets the chosen
// path; a question gets OK or Yes; a message is read and closed. Clicks are queued, so a
// window they open runs its own loop outside the timer and gets answered in turn.

#include "../../support/gui_controls.h"
#include "gui/dialog_controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <utility>
#include <vector>

class ModalOperator {
public:
    ModalOperator()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start(20);
    }

    // A setting dialog's edit (by its control id) and the text typed over it.
    using Entry = std::pair<int, QString>;

    // What the next flow will be answered with: the entries typed in its setting dialog, the
    // path given to its file dialog.
    void expect(const std::vector<Entry>& entries, const QString& file)
    {
        m_entries = entries;
        m_file = file;
        m_messages.clear();
        m_refused = false;
    }
    // The texts of the messages and questions shown since expect().
    QStringList messages() const { return m_messages; }
    // OK of the setting dialog was refused and the dialog cancelled.
    bool refused() const { return m_refused; }

private:
    // The file dialog fills its name box once its folder is read: type over it after that.
    static constexpr int kFileDialogSettleTicks = 10;

    void answer()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == m_answered)
            return;
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            if (files != m_fileDialog) {
                m_fileDialog = files;
                m_fileDialogTicks = 0;
            }
            auto* name = files->findChild<QLineEdit*>("fileNameEdit");
            if (!files->isVisible() || ++m_fileDialogTicks < kFileDialogSettleTicks || !name)
                return;
            name->setText(m_file);
            m_answered = files;
            QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            m_messages << box->text();
            QAbstractButton* yes
                = box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok) : box->button(QMessageBox::Yes);
            m_answered = box;
            if (yes)
                QTimer::singleShot(0, yes, &QAbstractButton::click);
            else
                QTimer::singleShot(0, box, &QWidget::close);
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            // Back in front after OK: OK was refused with a message.
            const bool refusedBefore = dialog == m_settingDialog;
            m_settingDialog = dialog;
            if (refusedBefore) {
                m_refused = true;
                m_answered = dialog;
                QTimer::singleShot(0,
                    kovra::test_support::control<QAbstractButton>(*dialog, kovra::kCancelButtonId),
                    &QAbstractButton::click);
                return;
            }
            for (const auto& [id, text] : m_entries) {
                if (auto* edit = kovra::test_support::control<QLineEdit>(*dialog, id))
                    kovra::test_support::typeOver(edit, text);
            }
            QTimer::singleShot(0, kovra::test_support::control<QAbstractButton>(*dialog, kovra::kOkButtonId),
                &QAbstractButton::click);
        }
    }

    QTimer m_timer;
    std::vector<Entry> m_entries;
    QString m_file;
    QStringList m_messages;
    bool m_refused = false;
    QPointer<QWidget> m_answered; // answered, waiting for it to go
    QPointer<QFileDialog> m_fileDialog;
    int m_fileDialogTicks = 0;
    QPointer<QDialog> m_settingDialog;
};
