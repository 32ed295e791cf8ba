// The main window offscreen: captions and ids, the start state, the options and the rule
// that the GUI thread keeps running while a flow waits on the network.
#include "core/platform/adapter_table.h"
#include "gui/main_window.h"
#include "support/loopback_adapter.h"
#include "support/message_box_closer.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace kovra;
using kovra::test_support::loopbackAdapter;
using kovra::test_support::MessageBoxCloser;

namespace {

int noAdapter(std::vector<AdapterEntry>&)
{
    return 0;
}

QString caption(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return b->text();
    return QString();
}

} // namespace

TEST(MainWindow, ControlsCarryTheirIdsAndCaptions)
{
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    EXPECT_EQ(window.windowTitle(), "KOVRAset");
    const std::pair<int, const char*> buttons[] = {
        { 1001, "検索(&S)" },
        { 1002, "追加(&A)" },
        { 1037, "IPアドレスの自動取得" },
        { 1029, "設定" },
        { 1028, "PING" },
        { 1000, "メールアラート" },
        { 1008, "入力延長" },
        { 1009, "その他の設定" },
        { 1010, "設定一括保存" },
        { 1011, "設定一括書込" },
        { 1006, "終了(&X)" },
    };
    for (const auto& [id, text] : buttons) {
        QWidget* w = window.control(id);
        ASSERT_NE(w, nullptr) << id;
        EXPECT_EQ(caption(w), QString::fromUtf8(text)) << id;
    }
    for (int id : { 1131, 1012, 1005, 1205, 1003, 1004, 1007, 1079, 1046 })
        EXPECT_NE(window.control(id), nullptr) << id;

    auto* list = qobject_cast<QTreeWidget*>(window.control(1012));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->headerItem()->text(0), "MACアドレス");
    EXPECT_EQ(list->headerItem()->text(1), "IPアドレス");
    EXPECT_EQ(list->headerItem()->text(2), "機種");
    EXPECT_EQ(list->columnWidth(0), 140);
    EXPECT_EQ(list->columnWidth(1), 90);
    EXPECT_EQ(list->columnWidth(2), 150);

    QStringList labels;
    for (auto* l : window.findChildren<QLabel*>())
        labels << l->text();
    for (const char* text : { "ネットワークデバイス選択(&N):", "KOVRAポート(&P) :", "IPアドレス(&I):", "設定するIPアドレス",
             "サブネットマスク", "デフォルトゲートウェイ" })
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    QStringList groups;
    for (auto* g : window.findChildren<QGroupBox*>())
        groups << g->title();
    for (const char* text : { "デバイスリスト(&D)", "IPアドレスの設定", "設定ファイル" })
        EXPECT_TRUE(groups.contains(QString::fromUtf8(text))) << text;
}

TEST(MainWindow, StartsWithTheAddressGroupOffAndTheVersionShown)
{
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    for (int id : { 1037, 1003, 1004, 1007, 1028, 1029 })
        EXPECT_FALSE(window.control(id)->isEnabled()) << id;
    for (int id : { 1003, 1004, 1007 })
        EXPECT_TRUE(qobject_cast<QLineEdit*>(window.control(id))->text().isEmpty()) << id;
    for (int id : { 1001, 1002, 1005, 1205, 1012, 1000, 1008, 1009, 1010, 1011, 1131, 1006 })
        EXPECT_TRUE(window.control(id)->isEnabled()) << id;
    EXPECT_EQ(qobject_cast<QLabel*>(window.control(1046))->text().toStdString(), window.model().versionText());
    EXPECT_EQ(qobject_cast<QComboBox*>(window.control(1131))->currentText(), "127.0.0.1 (bench0)");
    EXPECT_FALSE(window.model().options().showVersions);
}

TEST(MainWindow, OptionsAreReadFromTheWholeCommandLine)
{
    MainWindow window("setup.lwi -viewver", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    EXPECT_TRUE(window.model().options().showVersions);
    EXPECT_FALSE(window.model().options().wifiMask);
}

TEST(MainWindow, NoUsableAdapterSaysSoAndEnds)
{
    MessageBoxCloser closer;
    MainWindow window("", nullptr, noAdapter);
    EXPECT_EQ(window.initialize(), MainWindowModel::StartResult::NoAdapter);
    EXPECT_EQ(window.result(), -1);
    ASSERT_EQ(closer.texts().size(), 1);
    EXPECT_EQ(closer.texts()[0], "ネットワークデバイスが見つかりませんでした。");
}

TEST(MainWindow, ImportProgressRunsTheBarUntilTheStatusChanges)
{
    MessageBoxCloser closer;
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    auto* bar = qobject_cast<QProgressBar*>(window.control(1079));
    window.model().startImportProgress(1);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_FALSE(window.control(1001)->isEnabled());
    QTest::qWait(1500); // longer than the expected second: the bar stays full, never beyond
    EXPECT_EQ(bar->value(), 100);
    EXPECT_EQ(window.model().progress().progressStep(), window.model().progress().progressTotal());
    importStatus = kImportDone;
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible(), 2000);
    EXPECT_TRUE(window.control(1001)->isEnabled());
    ASSERT_FALSE(closer.texts().isEmpty());
    EXPECT_EQ(closer.texts().last(), "設定完了しました。\nデバイスを再起動します。");
}

TEST(MainWindow, GuiThreadKeepsRunningWhileAFlowWaitsOnASlowPeer)
{
    // A peer that takes the query and never answers: the add waits its full second.
    const int peer = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(30718);
    address.sin_addr.s_addr = makeIpv4(127, 0, 0, 77);
    int on = 1;
    setsockopt(peer, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    ASSERT_EQ(bind(peer, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    MessageBoxCloser closer;
    MainWindow window("", nullptr, loopbackAdapter);
    ASSERT_EQ(window.initialize(), MainWindowModel::StartResult::Ready);
    window.show();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(10);

    QElapsedTimer clock;
    clock.start();
    qobject_cast<QLineEdit*>(window.control(1205))->setText("127.0.0.77");
    qobject_cast<QPushButton*>(window.control(1002))->click();
    EXPECT_FALSE(window.control(1001)->isEnabled()) << "the controls are off while the add runs";
    QTRY_VERIFY_WITH_TIMEOUT(!window.model().adding(), 5000);
    const qint64 elapsed = clock.elapsed();
    close(peer);

    EXPECT_GE(elapsed, 900);
    // A blocked GUI thread would have fired the timer once or not at all.
    EXPECT_GT(ticks, elapsed / 10 / 4);
    EXPECT_TRUE(closer.texts().contains("追加できません"));
    EXPECT_TRUE(window.control(1001)->isEnabled());
}
