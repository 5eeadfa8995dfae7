// The main window: start-up and the settings file, the file commands, the
// close sequence, the language switch and what the channel grid shows.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <set>

#include "link/program_dialog.h"
#include "model/program_state.h"
#include "model/tone_codec.h"
#include "fake_ports.h"
#include "modal_answer.h"
#include "ui/app_settings.h"
#include "ui/main_window.h"
#include "ui/my_warn_dlg_2.h"
#include "ui/my_warn_dlg_3.h"
#include "ui/string_grid.h"
#include "ui/window_font.h"

using namespace t604;

namespace {

std::string Lines(std::initializer_list<std::string> lines, const std::string& eol = "\r\n") {
    std::string text;
    for (const auto& line : lines) text += line + eol;
    return text;
}

// The settings file of a first start, key by key.
std::string FirstStartFile() {
    std::string t = Lines({"[config]", "Port=1", "Language=1", "AutoSeachPort=1", "[control]"});
    for (int i = 0; i < 100; ++i) t += "ChSG_Row" + std::to_string(i) + "=20\r\n";
    const int columns[] = {30, 64, 64, 74, 74, 64, 64, 64, 80};
    for (int i = 0; i < 9; ++i) t += "ChSG_Col" + std::to_string(i) + "=" + std::to_string(columns[i]) + "\r\n";
    for (int i = 0; i < 17; ++i) t += "DtmfAbSG_Row" + std::to_string(i) + "=20\r\n";
    t += Lines({"DtmfAbSG_Col0=30", "DtmfAbSG_Col1=70", "DtmfAbSG_Col2=130"});
    t += Lines({"[Band]",
                "band-1 min=136000000", "band-1 max=174000000",
                "band-2 min=400000000", "band-2 max=490000000",
                "band-3 min=245000000", "band-3 max=246000000",
                "band-4 min=400000000", "band-4 max=480000000",
                "band-5 min=450000000", "band-5 max=520000000",
                "band-6 min=470000000", "band-6 max=520000000",
                "band Selete=4", "band min=400000000", "band max=480000000",
                "[chs]", "AppName= ", "Company= ",
                "[cht]", "AppName= ", "Company= ",
                "[eng]", "AppName= ", "Company= "});
    return t;
}

// The dialog's own accept runs as if the user pressed its button.
void Accept(QFileDialog* dialog) { static_cast<QDialog*>(dialog)->accept(); }

void Replace(std::string& text, const std::string& from, const std::string& to) {
    auto at = text.find(from);
    QVERIFY2(at != std::string::npos, from.c_str());
    text.replace(at, from.size(), to);
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void firstStartCreatesTheSettingsFile();
    void existingFileIsReadAndWrittenBack();
    void presentPortIsKept();
    void deletedFileIsCreatedAgainAtExit();
    void gridSizesAreWrittenBackFromTheGrid();
    void windowFrame();
    void newAsksAndResetsKeepingTheBand();
    void saveAndOpenRoundTrip();
    void failedSaveIsReportedAndKeepsTheWindowOpen();
    void closeSequence_data();
    void closeSequence();
    void gridShowsTheRecord();
    void oddRowsArePaleGreen();
    void languageSwitchKeepsEveryCell();
    void bandEntries();
    void radioCommandsOpenTheProgrammingDialog();
    void serviceEntriesAreUnavailableWithTheirCaptions();

private:
    std::unique_ptr<TForm1> makeWindow(std::set<int> presentPorts = {});
    std::string settingsText() const;
    void writeSettings(const std::string& text) const;
    QString settingsPath() const { return folder_->filePath("_config.ini"); }
    QStringList gridTexts(const TForm1& w) const;
    void useChannel(int n, std::uint32_t rx, std::uint32_t tx, std::uint8_t bus);

    std::unique_ptr<QTemporaryDir> folder_;
    std::map<int, std::string> devicesSeen_;
};

void MainWindowTest::init() {
    folder_ = std::make_unique<QTemporaryDir>();
    QVERIFY(folder_->isValid());
    devicesSeen_.clear();
}

void MainWindowTest::cleanup() { folder_.reset(); }

std::unique_ptr<TForm1> MainWindowTest::makeWindow(std::set<int> presentPorts) {
    MainWindowEnvironment environment;
    environment.settingsPath = settingsPath();
    environment.makePortSystem = [this, presentPorts](const std::map<int, std::string>& devices) {
        devicesSeen_ = devices;
        return std::make_unique<FakePorts>(presentPorts);
    };
    return std::make_unique<TForm1>(environment);
}

std::string MainWindowTest::settingsText() const {
    QFile file(settingsPath());
    if (!file.open(QIODevice::ReadOnly)) return "(missing)";
    return file.readAll().toStdString();
}

void MainWindowTest::writeSettings(const std::string& text) const {
    QFile file(settingsPath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.data(), static_cast<qint64>(text.size()));
}

QStringList MainWindowTest::gridTexts(const TForm1& w) const {
    QStringList texts;
    for (int row = 0; row < 100; ++row)
        for (int col = 0; col < 9; ++col) texts << w.StringGrid1->Cells(col, row);
    return texts;
}

void MainWindowTest::useChannel(int n, std::uint32_t rx, std::uint32_t tx, std::uint8_t bus) {
    ChannelRecord channel = softwareData.channel(n);
    softwareData.SetChannelUsed(n, true);
    channel.setFreqRx(rx);
    channel.setFreqTx(tx);
    channel.setBUS(bus);
}

void MainWindowTest::firstStartCreatesTheSettingsFile() {
    auto w = makeWindow();
    QCOMPARE(settingsText(), FirstStartFile());
    QCOMPARE(appSettings.Port, 1);
    QCOMPARE(appSettings.AutoSeachPort, true);
    QVERIFY(appSettings.BandTable == DefaultBandTable);
    QVERIFY(w->MenuLanguage_Chs->isChecked());
    QCOMPARE(w->MenuFile->title(), QString::fromUtf8("文件(&F)"));
    QCOMPARE(w->sFreqBand->text(), QString("400.00000-480.00000"));
    QCOMPARE(w->StringGrid1->ColWidths(8), 80);
    QCOMPARE(w->StringGrid1->RowHeights(0), 20);
    QCOMPARE(w->StringGrid1->RowHeights(99), 20);
    w.reset();
    // At exit the band entry found for the current band is stored.
    std::string atExit = FirstStartFile();
    Replace(atExit, "band Selete=4", "band Selete=3");
    QCOMPARE(settingsText(), atExit);
}

void MainWindowTest::existingFileIsReadAndWrittenBack() {
    // Edited by hand with "\n" line endings: COM7 that is not there, an
    // unknown language, a column key removed, a port map and a section of
    // the user's own.
    std::string file = FirstStartFile();
    Replace(file, "Port=1", "Port=7");
    Replace(file, "Language=1", "Language=5");
    Replace(file, "ChSG_Col3=74\r\n", "");
    file += Lines({"[ports]", "COM1=/nonexistent/ttyX"}) + Lines({"; mine", "[mine]", "x = 1"});
    for (auto at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at)) file.replace(at, 2, "\n");
    writeSettings(file);

    auto w = makeWindow();
    QCOMPARE(appSettings.Port, 1);
    QCOMPARE(appSettings.LanguageIndex, 5);
    QVERIFY((devicesSeen_ == std::map<int, std::string>{{1, "/nonexistent/ttyX"}}));
    QVERIFY(!w->MenuLanguage_Chs->isChecked());
    QVERIFY(!w->MenuLanguage_Cht->isChecked());
    QVERIFY(!w->MenuLanguage_En->isChecked());
    QCOMPARE(w->StringGrid1->ColWidths(3), 0);
    QCOMPARE(w->StringGrid1->ColWidths(2), 64);
    w.reset();

    std::string expected = file;
    Replace(expected, "Port=7", "Port=1");
    Replace(expected, "band Selete=4", "band Selete=3");
    Replace(expected, "DtmfAbSG_Col2=130\n", "DtmfAbSG_Col2=130\nChSG_Col3=0\n");
    QCOMPARE(settingsText(), expected);
}

void MainWindowTest::presentPortIsKept() {
    std::string file = FirstStartFile();
    Replace(file, "Port=1", "Port=3");
    writeSettings(file);
    auto w = makeWindow({3, 4});
    QCOMPARE(appSettings.Port, 3);
}

void MainWindowTest::deletedFileIsCreatedAgainAtExit() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    w->StringGrid1->setColWidths(2, 150);
    QVERIFY(QFile::remove(settingsPath()));
    w.reset();
    std::string expected = FirstStartFile();  // default sizes, current language and band entry
    Replace(expected, "Language=1", "Language=0");
    Replace(expected, "band Selete=4", "band Selete=3");
    QCOMPARE(settingsText(), expected);
}

void MainWindowTest::gridSizesAreWrittenBackFromTheGrid() {
    makeWindow().reset();
    auto w = makeWindow();
    w->StringGrid1->setColWidths(1, 100);
    w->StringGrid1->setRowHeights(5, 31);
    w->sgD_AddrBook->setColWidths(2, 140);
    w.reset();
    const std::string text = settingsText();
    QVERIFY(text.find("\r\nChSG_Col1=100\r\n") != std::string::npos);
    QVERIFY(text.find("\r\nChSG_Row5=31\r\n") != std::string::npos);
    QVERIFY(text.find("\r\nDtmfAbSG_Col2=140\r\n") != std::string::npos);
    auto again = makeWindow();
    QCOMPARE(again->StringGrid1->ColWidths(1), 100);
    QCOMPARE(again->StringGrid1->RowHeights(5), 31);
}

void MainWindowTest::windowFrame() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    QCOMPARE(w->width(), 699);
    QCOMPARE(w->minimumSize(), w->maximumSize());
    // The client area below the menu bar, as laid out on screen.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(w->menuBar()->height() > w->font().pixelSize());
    QCOMPARE(w->height() - w->menuBar()->height(), 538);
    QCOMPARE(w->windowTitle(), QString("T-604"));
    QCOMPARE(w->PageControl_Home->currentWidget(), w->TabSheet_ChInfo);
    QCOMPARE(w->PageControl_Home->tabText(0), QString("Channel information"));
    QCOMPARE(w->PageControl_Home->tabText(1), QString("Optional Features"));
    QCOMPARE(w->PageControl_Home->tabText(2), QString("Key Assignment"));
    QCOMPARE(w->ToolButton_New->toolTip(), QString("New"));
    QCOMPARE(w->ToolButton_Write->toolTip(), QString("Write to radio"));
    QVERIFY(w->ToolButton2->toolTip().isEmpty());
    QVERIFY(w->ToolButton5->toolTip().isEmpty());
    QVERIFY(!w->ToolButton_Open->icon().isNull());
    QCOMPARE(w->MenuEdit_Read->shortcut(), QKeySequence("Ctrl+R"));
    QCOMPARE(w->MenuEdit_Write->shortcut(), QKeySequence("Ctrl+W"));
    QCOMPARE(w->MenuAdjustment->text(), QString("&Adjustment"));
    QCOMPARE(w->MenuEdit_SetRadioNewPD->text(), QString("Set radio new password"));
    QVERIFY(!w->MenuEdit_Band->menuAction()->isVisible());
    // A face with the Chinese characters, 12 pixels high.
    QCOMPARE(w->font().pixelSize(), 12);
    QVERIFY2(WindowFontFamilies().contains(QFontInfo(w->font()).family()), qPrintable(QFontInfo(w->font()).family()));
    QCOMPARE(w->bHide->size(), QSize(1, 1));
    QCOMPARE(w->bHide->pos(), QPoint(0, 0));
    QCOMPARE(w->ComboBox1->count(), 261);
    QCOMPARE(w->ComboBox1->itemText(0), QString("Off"));
    QCOMPARE(w->ComboBox1->itemText(51), QString("D023N"));
}

void MainWindowTest::newAsksAndResetsKeepingTheBand() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    useChannel(1, 446012500, 446012500, 0);
    CurrentBandMin = 401000000;
    LastWriteTime = {2016, 12, 3, 14, 7};
    w->ApplyLanguageAndRefresh();
    QCOMPARE(w->sLastWriteTime->text(), QString("2016-12-3  14:7"));
    const QStringList before = gridTexts(*w);

    QString question;
    auto cancel = WhenModal<TMyWarnDlg_2>([&](TMyWarnDlg_2* d) {
        question = d->Label1->text();
        d->CancelBtn->click();
    });
    w->MenuFile_NewClick();
    QVERIFY(cancel->answered);
    QCOMPARE(question, QString("Clear all data ?"));
    QCOMPARE(gridTexts(*w), before);
    QVERIFY(softwareData.IsChannelUsed(1));

    auto ok = WhenModal<TMyWarnDlg_2>([](TMyWarnDlg_2* d) { d->OKBtn->click(); });
    w->ToolButton_New->click();
    QVERIFY(ok->answered);
    QVERIFY(!softwareData.IsChannelUsed(1));
    QCOMPARE(w->StringGrid1->Cells(1, 1), QString());
    QCOMPARE(w->sLastWriteTime->text(), QString("0-0-0  0:0"));
    QCOMPARE(w->sFreqBand->text(), QString("401.00000-480.00000"));
    QVERIFY(w->MenuLanguage_En->isChecked());
}

void MainWindowTest::saveAndOpenRoundTrip() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    useChannel(7, 440125000, 445000000, 2);
    CurrentBandMin = 430000000;
    CurrentBandMax = 450000000;
    w->ApplyLanguageAndRefresh();
    const QString base = folder_->filePath("round");

    QString title, filter;
    auto save = WhenModal<QFileDialog>([&](QFileDialog* d) {
        title = d->windowTitle();
        filter = d->nameFilters().join(";;");
        d->selectFile(base);  // typed without extension
        Accept(d);
    });
    w->MenuFile_SaveClick();
    QVERIFY(save->answered);
    QCOMPARE(title, QString("Save"));
    QCOMPARE(filter, QString("Corvo File(*.Cvf)"));
    QCOMPARE(QFileInfo(base + ".Cvf").size(), qint64(8930));
    softwareData.set(sd::BandMin, 430000000);
    softwareData.set(sd::BandMax, 450000000);
    const SoftwareData saved = softwareData;

    WhenModal<TMyWarnDlg_2>([](TMyWarnDlg_2* d) { d->OKBtn->click(); });
    w->MenuFile_NewClick();
    CurrentBandMin = 136000000;
    CurrentBandMax = 174000000;
    QVERIFY(!softwareData.IsChannelUsed(7));

    auto open = WhenModal<QFileDialog>([&](QFileDialog* d) {
        title = d->windowTitle();
        d->selectFile(base + ".Cvf");
        Accept(d);
    });
    w->ToolButton_Open->click();
    QVERIFY(open->answered);
    QCOMPARE(title, QString("Open"));
    QVERIFY(softwareData == saved);
    QCOMPARE(CurrentBandMin, 430000000u);
    QCOMPARE(CurrentBandMax, 450000000u);
    QCOMPARE(w->StringGrid1->Cells(1, 7), QString("440.12500"));
    QCOMPARE(w->sFreqBand->text(), QString("430.00000-450.00000"));

    // A file that cannot be read changes nothing and says nothing.
    auto missing = WhenModal<QFileDialog>([&](QFileDialog* d) {
        d->setFileMode(QFileDialog::AnyFile);
        d->selectFile(folder_->filePath("gone.Cvf"));
        Accept(d);
    });
    w->MenuFile_OpenClick();
    QVERIFY(missing->answered);
    QVERIFY(softwareData == saved);
}

void MainWindowTest::failedSaveIsReportedAndKeepsTheWindowOpen() {
    auto w = makeWindow();
    w->show();
    // The chosen folder vanishes before the file is written (permissions
    // would not stop root).
    const QString vanishing = folder_->filePath("vanishing");
    QVERIFY(QDir().mkpath(vanishing));
    const QString target = vanishing + "/lost.Cvf";
    WhenModal<TMyWarnDlg_3>([](TMyWarnDlg_3* d) { d->OKBtn->click(); });
    auto save = WhenModal<QFileDialog>([&](QFileDialog* d) {
        d->selectFile(target);
        Accept(d);
        QDir(vanishing).removeRecursively();
    });
    QString message;
    auto report = WhenModal<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    QVERIFY(!w->close());
    QVERIFY(save->answered);
    QVERIFY(report->answered);
    QVERIFY2(message.contains(target), qPrintable(message));
    QVERIFY(w->isVisible());
}

void MainWindowTest::closeSequence_data() {
    QTest::addColumn<int>("answer");  // button of the close question
    QTest::addColumn<bool>("cancelSave");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Yes, save cancelled: closes") << int(mrOk) << true << true;
    QTest::newRow("No: closes") << int(mrNo) << false << true;
    QTest::newRow("Cancel: stays") << int(mrCancel) << false << false;
    QTest::newRow("close button of the question: stays") << int(mrNone) << false << false;
}

void MainWindowTest::closeSequence() {
    QFETCH(int, answer);
    QFETCH(bool, cancelSave);
    QFETCH(bool, closes);
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    w->show();
    QStringList captions;
    auto question = WhenModal<TMyWarnDlg_3>([&](TMyWarnDlg_3* d) {
        captions << d->Label1->text() << d->OKBtn->text() << d->NoBtn->text() << d->CancelBtn->text();
        if (answer == mrOk) d->OKBtn->click();
        if (answer == mrNo) d->NoBtn->click();
        if (answer == mrCancel) d->CancelBtn->click();
        if (answer == mrNone) d->close();
    });
    std::shared_ptr<ModalAnswer> save;
    if (cancelSave) save = WhenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
    w->MenuFile_ExitClick();
    QVERIFY(question->answered);
    if (save) QVERIFY(save->answered);
    QCOMPARE(captions, (QStringList{"Do you want to save data ?", "Yes", "No", "Cannel"}));
    QCOMPARE(w->isVisible(), !closes);
    QCOMPARE(QDir(folder_->path()).entryList(QDir::Files), QStringList{"_config.ini"});
}

void MainWindowTest::gridShowsTheRecord() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    useChannel(1, 446012500, 0, 1);
    ChannelRecord first = softwareData.channel(1);
    first.setSubDe({670, kToneCtcss});
    first.setSubEn({0x2800 + 023, kToneDcsNormal});
    first.setPower(true);
    first.setBandwidth(true);
    first.setSCN(true);
    useChannel(2, 430000000, 435000000, 3);
    useChannel(3, 430000000, 435000000, 2);
    useChannel(4, 430000000, 435000000, 0);
    useChannel(99, 479993750, 479993750, 0);
    softwareData.channel(50).setFreqRx(440000000);  // bytes without the channel's bit: no channel
    w->ApplyLanguageAndRefresh();

    auto row = [&](int r) {
        QStringList cells;
        for (int col = 0; col < 9; ++col) cells << w->StringGrid1->Cells(col, r);
        return cells;
    };
    QCOMPARE(row(0), (QStringList{"NO.", "RX Freq.", "TX Freq.", "QT/DQT Dec", "QT/DQT Enc", "TX Power",
                                  "Bandwidth", "SCN", "Busy Inhibit"}));
    QCOMPARE(row(1), (QStringList{"01", "446.01250", "0", "67.0", "D023N", "High", "Wide", "ADD", "CAT"}));
    QCOMPARE(row(2), (QStringList{"02", "430.00000", "435.00000", "Off", "Off", "Low", "Narrow", "DEL", "CAT"}));
    QCOMPARE(row(3).last(), QString("CAT"));
    QCOMPARE(row(4).last(), QString("OFF"));
    QCOMPARE(row(5), (QStringList{"05", "", "", "", "", "", "", "", ""}));
    QCOMPARE(row(50), (QStringList{"50", "", "", "", "", "", "", "", ""}));
    QCOMPARE(row(99)[1], QString("479.99375"));
    QCOMPARE(w->StringGrid1->RowCount(), 100);
    QCOMPARE(w->StringGrid1->ColCount(), 9);
    QCOMPARE(w->cbChInfor_Pow->itemText(0), QString("Low"));
    QCOMPARE(w->cbChInfor_BusyFit->itemText(1), QString("CAT"));
    QCOMPARE(w->sTiShi_0->text(), QString("Nonstandard value"));

    w->MenuLanguage_ChsClick();
    QCOMPARE(row(1).mid(5), (QStringList{QString::fromUtf8("高"), QString::fromUtf8("宽带"),
                                         QString::fromUtf8("添加"), QString::fromUtf8("载波")}));
    QCOMPARE(w->StringGrid1->Cells(0, 0), QString::fromUtf8("信道"));
}

void MainWindowTest::oddRowsArePaleGreen() {
    auto w = makeWindow();
    useChannel(1, 446012500, 0, 0);
    w->ApplyLanguageAndRefresh();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    TStringGrid* grid = w->StringGrid1;
    grid->clearSelection();
    const QImage image = grid->grab().toImage();
    const QColor paleGreen(192, 220, 192);
    // A point near the top-left corner of a cell, clear of its text and lines.
    auto cellCorner = [&](int col, int row) {
        return grid->viewport()->mapTo(grid, QPoint(grid->columnViewportPosition(col - 1) + 3,
                                                     grid->rowViewportPosition(row - 1) + 3));
    };
    auto numberCorner = [&](int row) {
        return grid->verticalHeader()->viewport()->mapTo(
            grid, QPoint(3, grid->verticalHeader()->sectionViewportPosition(row - 1) + 3));
    };
    QCOMPARE(image.pixelColor(cellCorner(4, 1)), paleGreen);  // a channel's row
    QCOMPARE(image.pixelColor(cellCorner(4, 3)), paleGreen);  // an empty row
    QVERIFY(image.pixelColor(cellCorner(4, 2)) != paleGreen);
    QCOMPARE(image.pixelColor(numberCorner(1)), paleGreen);  // the fixed number column too
    QVERIFY(image.pixelColor(numberCorner(2)) != paleGreen);
}

void MainWindowTest::languageSwitchKeepsEveryCell() {
    auto w = makeWindow();
    useChannel(1, 446012500, 446012500, 1);
    softwareData.channel(1).setPower(true);
    useChannel(60, 470000000, 0, 0);
    softwareData.channel(60).setSubEn({0x2800 + 0754, kToneDcsInverted});
    w->MenuLanguage_EnClick();
    const QStringList english = gridTexts(*w);
    const SoftwareData record = softwareData;

    w->ToolButton2->click();
    QVERIFY(w->MenuLanguage_Chs->isChecked() && !w->MenuLanguage_En->isChecked());
    QCOMPARE(appSettings.LanguageIndex, 1);
    w->ToolButton3->click();
    QVERIFY(w->MenuLanguage_Cht->isChecked() && !w->MenuLanguage_Chs->isChecked());
    QCOMPARE(w->StringGrid1->Cells(5, 1), QString::fromUtf8("高"));
    QCOMPARE(w->MenuFile->title(), QString::fromUtf8("文件(&F)"));
    QCOMPARE(w->MenuEdit->title(), QString::fromUtf8("編輯(&E)"));
    w->ToolButton5->click();
    QVERIFY(w->MenuLanguage_En->isChecked());
    QCOMPARE(gridTexts(*w), english);
    QVERIFY(softwareData == record);
}

void MainWindowTest::bandEntries() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    QCOMPARE(w->MenuEdit_Band_[0]->text(), QString("Frequency Band 1 (136 - 174MHz)"));
    QCOMPARE(w->MenuEdit_Band_[3]->text(), QString("Frequency Band 4 (400 - 480MHz)"));
    QVERIFY(w->MenuEdit_Band_[3]->isChecked());
    QVERIFY(!w->MenuEdit_Band_[1]->isChecked());
    QCOMPARE(appSettings.BandSelete, 3);
    QCOMPARE(w->MenuEdit_Band_undef->text(), QString());

    CurrentBandMin = 401000000;
    w->ApplyLanguageAndRefresh();
    for (QAction* entry : w->MenuEdit_Band_) QVERIFY(!entry->isChecked());
    QCOMPARE(appSettings.BandSelete, 3);
    QCOMPARE(w->MenuEdit_Band_undef->text(), QString("Frequency Band (401 - 480MHz)"));
    QCOMPARE(w->sFreqBand->text(), QString("401.00000-480.00000"));
}

void MainWindowTest::radioCommandsOpenTheProgrammingDialog() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    QString title;
    auto read = WhenModal<TProgramDialog>([&](TProgramDialog* d) {
        title = d->windowTitle();
        d->reject();
    });
    w->MenuEdit_ReadClick();
    QVERIFY(read->answered);
    QCOMPARE(title, QString("Read from radio"));
    QCOMPARE(w->StringGrid1->currentGridCol(), 1);
    QCOMPARE(w->StringGrid1->currentGridRow(), 1);
    auto write = WhenModal<TProgramDialog>([&](TProgramDialog* d) {
        title = d->windowTitle();
        d->reject();
    });
    w->ToolButton_Write->click();
    QVERIFY(write->answered);
    QCOMPARE(title, QString("Write to radio"));
}

// Adjustment, Password and "Set radio new password" have no dialog yet: they
// are shown greyed out, with their captions, and clicking them does nothing.
void MainWindowTest::serviceEntriesAreUnavailableWithTheirCaptions() {
    auto w = makeWindow();
    w->MenuLanguage_EnClick();
    QCOMPARE(w->MenuAdjustment->text(), QString("&Adjustment"));
    QCOMPARE(w->MenuEdit_Password->text(), QString("&Password"));
    QCOMPARE(w->MenuEdit_SetRadioNewPD->text(), QString("Set radio new password"));
    w->MenuLanguage_ChsClick();
    QCOMPARE(w->MenuAdjustment->text(), QString::fromUtf8("调整(&A)"));
    QCOMPARE(w->MenuEdit_Password->text(), QString::fromUtf8("密码(&P)"));
    for (QAction* entry : {w->MenuAdjustment, w->MenuEdit_Password, w->MenuEdit_SetRadioNewPD}) {
        QVERIFY2(!entry->isEnabled(), qPrintable(entry->text()));
        QVERIFY(entry->isVisible());
        QSignalSpy triggered(entry, &QAction::triggered);
        entry->trigger();
        QCOMPARE(triggered.count(), 0);
    }
    for (QAction* entry : {w->MenuFile_New, w->MenuEdit_Read, w->MenuEdit_Write, w->MenuPort, w->MenuAbout})
        QVERIFY2(entry->isEnabled(), qPrintable(entry->text()));
}

// The file dialogs remember their folders in the toolkit's settings: keep
// those in a folder of the test's own.
int main(int argc, char** argv) {
    QTemporaryDir toolkitSettings;
    qputenv("XDG_CONFIG_HOME", toolkitSettings.path().toUtf8());
    QApplication app(argc, argv);
    MainWindowTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "main_window_test.moc"
