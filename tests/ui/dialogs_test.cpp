// The shared message, question and about dialogs.

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "modal_answer.h"
#include "strings/string_table.h"
#include "ui/about_dlg.h"
#include "ui/my_warn_dlg_2.h"
#include "ui/my_warn_dlg_3.h"
#include "ui/user_warn_dlg.h"

using namespace t604;

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init() { SetTextMode(TextMode::English); }
    void cleanupTestCase() { SetTextMode(TextMode::English); }

    void haveFixedSizes();
    void longMessageIsCutNotEnlarged();
    void warningOkFollowsTheLanguage_data();
    void warningOkFollowsTheLanguage();
    void keysAndCloseButtonGiveTheModalResults_data();
    void keysAndCloseButtonGiveTheModalResults();
    void buttonsGiveTheirResults();
    void clearAllQuestionAnswers();
    void aboutBoxLines();
};

void DialogsTest::haveFixedSizes() {
    TUserWarnDlg warn(nullptr);
    TMyWarnDlg_2 two(nullptr);
    TMyWarnDlg_3 three(nullptr);
    TAboutDlg about(nullptr);
    const std::pair<QDialog*, QSize> sizes[] = {
        {&warn, {235, 121}}, {&two, {273, 135}}, {&three, {282, 118}}, {&about, {313, 205}}};
    for (const auto& [dialog, size] : sizes) {
        QCOMPARE(dialog->size(), size);
        QCOMPARE(dialog->minimumSize(), size);
        QCOMPARE(dialog->maximumSize(), size);
    }
    QCOMPARE(warn.WarnDlgText->geometry(), QRect(11, 24, 214, 33));
}

void DialogsTest::longMessageIsCutNotEnlarged() {
    TUserWarnDlg warn(nullptr);
    warn.WarnDlgText->setText(QString("Communication False ").repeated(20));
    warn.show();
    QVERIFY(QTest::qWaitForWindowExposed(&warn));
    QCOMPARE(warn.size(), QSize(235, 121));
    QCOMPARE(warn.WarnDlgText->size(), QSize(214, 33));
}

void DialogsTest::warningOkFollowsTheLanguage_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("ok");
    QTest::newRow("English") << int(TextMode::English) << "OK";
    QTest::newRow("Simplified") << int(TextMode::Simplified) << QString::fromUtf8("确认");
    QTest::newRow("Traditional") << int(TextMode::Traditional) << QString::fromUtf8("確認");
}

void DialogsTest::warningOkFollowsTheLanguage() {
    QFETCH(int, mode);
    QFETCH(QString, ok);
    SetTextMode(static_cast<TextMode>(mode));
    QString shownOk, shownText;
    auto answer = WhenModal<TUserWarnDlg>([&](TUserWarnDlg* d) {
        shownOk = d->OKBtn->text();
        shownText = d->WarnDlgText->text();
        d->OKBtn->click();
    });
    ShowUserWarning(nullptr, "SUCCESS");
    QVERIFY(answer->answered);
    QCOMPARE(shownOk, ok);
    QCOMPARE(shownText, QString("SUCCESS"));
}

void DialogsTest::keysAndCloseButtonGiveTheModalResults_data() {
    QTest::addColumn<int>("how");  // 0 Enter, 1 Escape, 2 the window's close button
    QTest::addColumn<int>("result");
    QTest::newRow("Enter chooses the default button") << 0 << int(mrOk);
    QTest::newRow("Escape cancels") << 1 << int(mrCancel);
    QTest::newRow("close button cancels") << 2 << int(mrCancel);
}

void DialogsTest::keysAndCloseButtonGiveTheModalResults() {
    QFETCH(int, how);
    QFETCH(int, result);
    auto act = [how](QDialog* d) {
        if (how == 0) QTest::keyClick(d, Qt::Key_Return);
        if (how == 1) QTest::keyClick(d, Qt::Key_Escape);
        if (how == 2) d->close();
    };
    {
        TMyWarnDlg_3 three(nullptr);
        auto answer = WhenModal<TMyWarnDlg_3>([&](TMyWarnDlg_3* d) { act(d); });
        QCOMPARE(three.exec(), result);
        QVERIFY(answer->answered);
    }
    {
        TMyWarnDlg_2 two(nullptr);
        auto answer = WhenModal<TMyWarnDlg_2>([&](TMyWarnDlg_2* d) { act(d); });
        QCOMPARE(two.exec(), result);
        QVERIFY(answer->answered);
    }
}

void DialogsTest::buttonsGiveTheirResults() {
    const std::pair<QPushButton* TMyWarnDlg_3::*, int> buttons[] = {
        {&TMyWarnDlg_3::OKBtn, mrOk}, {&TMyWarnDlg_3::NoBtn, mrNo}, {&TMyWarnDlg_3::CancelBtn, mrCancel}};
    for (const auto& [button, result] : buttons) {
        TMyWarnDlg_3 three(nullptr);
        WhenModal<TMyWarnDlg_3>([button = button](TMyWarnDlg_3* d) { (d->*button)->click(); });
        QCOMPARE(three.exec(), result);
    }
    // Left to right: OK, No, Cancel.
    TMyWarnDlg_3 three(nullptr);
    QVERIFY(three.OKBtn->x() < three.NoBtn->x());
    QVERIFY(three.NoBtn->x() < three.CancelBtn->x());
}

void DialogsTest::clearAllQuestionAnswers() {
    SetTextMode(TextMode::Simplified);
    QString question, ok, cancel;
    WhenModal<TMyWarnDlg_2>([&](TMyWarnDlg_2* d) {
        question = d->Label1->text();
        ok = d->OKBtn->text();
        cancel = d->CancelBtn->text();
        d->OKBtn->click();
    });
    QVERIFY(ConfirmClearAllData(nullptr));
    QCOMPARE(question, QString::fromUtf8("清除所有数据？"));
    QCOMPARE(ok, QString::fromUtf8("确定"));
    QCOMPARE(cancel, QString::fromUtf8("取消"));
    WhenModal<TMyWarnDlg_2>([](TMyWarnDlg_2* d) { d->CancelBtn->click(); });
    QVERIFY(!ConfirmClearAllData(nullptr));
}

void DialogsTest::aboutBoxLines() {
    QString title, name, version, maker, ok;
    WhenModal<TAboutDlg>([&](TAboutDlg* d) {
        title = d->windowTitle();
        name = d->sName->text();
        version = d->sVersion->text();
        maker = d->sCompany->text();
        ok = d->OKBtn->text();
        QTest::keyClick(d, Qt::Key_Return);
    });
    ShowAboutBox(nullptr);
    QCOMPARE(title, QString("About"));
    QCOMPARE(name, QString("T-604 Radio Programming Software"));
    QCOMPARE(version, QString("Version: V1.0.0"));
    const std::string_view makerRow = FetchText(MainStrings, 165, TextMode::English);
    QCOMPARE(maker, QString::fromUtf8(makerRow.data(), static_cast<qsizetype>(makerRow.size())));
    QCOMPARE(ok, QString("Ok"));
    SetTextMode(TextMode::Simplified);
    WhenModal<TAboutDlg>([&](TAboutDlg* d) {
        name = d->sName->text();
        d->close();
    });
    ShowAboutBox(nullptr);
    QCOMPARE(name, QString::fromUtf8("T-604 对讲机编程软件"));
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
