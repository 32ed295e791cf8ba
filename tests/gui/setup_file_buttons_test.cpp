// Buttons 1010 (bulk save) and 1011 (bulk write) in the main window: the file dialogs with
// the setup-file filter and the proposed name, the write question with Cancel as default and
// the unit's changes, the controls off while the transfer runs and back after it; and a
// screenshot of the write question (scripts/screenshot-dialogs runs it under Xvfb).
#include "gui/main_window.h"
#include "gui/qt_user_interface.h"
#include "support/loopback_adapter.h"
#include "support/main_window_units.h"
#include "support/simulated_fleet.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace kovra;
using kovra::test_support::addAndSelect;
using kovra::test_support::loopbackAdapter;

namespace {

// Plays the operator: answers each modal window of the flow as it comes up.
struct Operator {
    QString file; // chosen in the file dialog
    bool writeOk = true;
    QString fileFilter;
    QString proposed;
    QString question;
    QString details;
    bool cancelIsDefault = false;
    QStringList messages;
    bool controlsOffMeanwhile = false;
    static constexpr int kSettleTicks = 10;
    QHash<QObject*, int> ticksShown;
    QTimer timer;

    explicit Operator(MainWindow& window)
    {
        QObject::connect(&timer, &QTimer::timeout, [this, &window] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            controlsOffMeanwhile = controlsOffMeanwhile || !window.control(1010)->isEnabled();
            if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
                // The dialog fills its name box once its folder is read: type over it after that.
                if (!dialog->isVisible() || ++ticksShown[dialog] < kSettleTicks)
                    return;
                auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
                if (!name || name->text() == file)
                    return;
                fileFilter = dialog->nameFilters().join(";;");
                proposed = name->text();
                name->setText(file);
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                if (box->objectName() == "writeQuestion") {
                    question = box->text();
                    details = box->informativeText();
                    cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
                    box->button(writeOk ? QMessageBox::Ok : QMessageBox::Cancel)->click();
                } else {
                    messages << box->text();
                    box->close();
                }
            }
        });
        timer.start(20);
    }
};

} // namespace

TEST(SetupFileButtons, SaveThenWriteBackOnTheWindowsWorker)
{
    test_support::SimulatedFleet fleet;
    ASSERT_EQ(fleet.start(
                  R"({ "restartMs": 100, "units": [ { "address": "127.0.0.90", "kind": 0, "model": 3 } ] })"),
        "");
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    addAndSelect(window, "127.0.0.90");
    QTemporaryDir dir;
    const QString path = dir.filePath("unit.rec");

    Operator person(window);
    person.file = path;
    qobject_cast<QPushButton*>(window.control(1010))->click();
    EXPECT_FALSE(window.control(1001)->isEnabled()) << "no search while the save runs";
    QTRY_VERIFY_WITH_TIMEOUT(!window.model().settingCommandRunning(), 20000);
    EXPECT_TRUE(window.control(1010)->isEnabled());
    EXPECT_TRUE(person.fileFilter.contains("*.rec *.xml *.lwi")) << person.fileFilter.toStdString();
    EXPECT_TRUE(person.proposed.endsWith(".rec")) << person.proposed.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), 5 + 121 + 7 * 127)
        << person.proposed.toStdString() << " " << path.toStdString();
    EXPECT_TRUE(person.messages.isEmpty()) << person.messages.join("|").toStdString();

    // The unit's block 4 now differs from the file in two bytes.
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.seek(5 + 121 + 2 * 127 + 1 + 8);
        file.write("\x12\x34", 2);
    }
    qobject_cast<QPushButton*>(window.control(1011))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!window.model().settingCommandRunning(), 20000);
    EXPECT_TRUE(person.controlsOffMeanwhile);
    EXPECT_TRUE(person.cancelIsDefault);
    EXPECT_EQ(person.question.toStdString(), "設定データを書き込みます。\n本当に実行しますか？");
    EXPECT_TRUE(person.details.contains("~ block 4 0x08-0x09: 00 00 -&gt; 12 34"))
        << person.details.toStdString();
    EXPECT_EQ(person.messages, QStringList { "設定完了しました。\nデバイスを再起動します。" });
}

TEST(SetupFileButtons, WriteQuestionScreenshot)
{
    const QString directory = qEnvironmentVariable("KOVRA_SCREENSHOT_DIR");
    if (directory.isEmpty())
        GTEST_SKIP() << "runs from scripts/screenshot-dialogs under Xvfb";
    QWidget parent;
    QtUserInterface ui(&parent);
    bool saved = false;
    QTimer::singleShot(800, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            const QRect frame = box->frameGeometry();
            const QString file = QDir(directory).filePath("setup-write-question.png");
            const QString crop
                = QString("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
            QProcess::execute("sh",
                { "-c",
                    QString("xwd -root -silent | convert xwd:- -crop %1 +repage png:'%2'").arg(crop, file) });
            saved = QFileInfo(file).size() > 0;
            box->close();
        }
    });
    ui.askBeforeWrite("設定データを書き込みます。\n本当に実行しますか？",
        "~ HPORT1: 10001 -> 10010\n~ NOTICE: 0 -> 30000\n~ DO2_MD: 0 -> 2\n~ E1PASS: * -> *\n+ DO2_OT: 30\n"
        "- M2SUBJ: DI2 ON\n");
    EXPECT_TRUE(saved);
}
