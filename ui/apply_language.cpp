// TForm1::ApplyLanguageAndRefresh: every caption in the current language and
// the whole record shown again. Run after everything that replaces the
// record (start-up, New, Open, a read, a band change) and after a language
// change; it loses nothing, as every control is refilled from the record.

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

#include "model/freq_codec.h"
#include "model/program_state.h"
#include "ui/app_settings.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/string_grid.h"

using namespace t604;

namespace {

QString WholeMegahertz(std::uint32_t hz) { return QString::number(hz / 1'000'000); }

QString BandText(std::string_view entry, BandRange band) {
    return MainText(238) + QString::fromLatin1(entry.data(), static_cast<qsizetype>(entry.size())) +
           WholeMegahertz(band.min) + " - " + WholeMegahertz(band.max) + "MHz)";
}

// "2016-12-3  14:7": no leading zeros.
QString ProgrammingDateText(const ProgrammingDate& d) {
    return QStringLiteral("%1-%2-%3  %4:%5").arg(d.year).arg(d.month).arg(d.day).arg(d.hour).arg(d.minute);
}

void FillList(QComboBox* list, std::initializer_list<int> rows) {
    list->clear();
    for (int row : rows) list->addItem(MainText(row));
}

}  // namespace

void TForm1::ApplyLanguageAndRefresh() {
    CheckLanguageMenu();
    ApplyMenuCaptions();
    ShowBandEntries();
    ShowCurrentBand();
    ApplyToolBarHints();
    ShowInformationLine();
    ShowChannelGrid();
    FillChannelOverlayLists();
    ApplyPageCaptions();
}

void TForm1::CheckLanguageMenu() {
    // A language index from the settings file outside 0..2 checks nothing.
    MenuLanguage_En->setChecked(appSettings.LanguageIndex == 0);
    MenuLanguage_Chs->setChecked(appSettings.LanguageIndex == 1);
    MenuLanguage_Cht->setChecked(appSettings.LanguageIndex == 2);
}

void TForm1::ApplyMenuCaptions() {
    QGuiApplication::setApplicationDisplayName(MainText(0));
    setWindowTitle(MainText(0));
    const std::pair<QAction*, int> captions[] = {
        {MenuFile->menuAction(), 1},   {MenuFile_New, 2},
        {MenuFile_Open, 3},            {MenuFile_Save, 4},
        {MenuFile_Exit, 5},            {MenuEdit->menuAction(), 6},
        {MenuEdit_Read, 7},            {MenuEdit_Write, 8},
        {MenuEdit_Password, 231},      {MenuEdit_SetRadioNewPD, 257},
        {MenuEdit_Band->menuAction(), 238}, {MenuPort, 9},
        {MenuLanguage->menuAction(), 10},   {MenuLanguage_Chs, 11},
        {MenuLanguage_Cht, 12},        {MenuLanguage_En, 13},
        {MenuHelp->menuAction(), 14},  {MenuAbout, 166},
        {MenuAdjustment, 167},
    };
    for (const auto& [item, row] : captions) item->setText(MainText(row));
}

void TForm1::ShowBandEntries() {
    const BandRange current{CurrentBandMin, CurrentBandMax};
    bool matched = false;
    for (std::size_t i = 0; i < MenuEdit_Band_.size(); ++i) {
        const BandRange entry = appSettings.BandTable[i];
        MenuEdit_Band_[i]->setText(BandText(" " + std::to_string(i + 1) + " (", entry));
        const bool isCurrent = !matched && entry == current;
        MenuEdit_Band_[i]->setChecked(isCurrent);
        if (isCurrent) {
            matched = true;
            appSettings.BandSelete = static_cast<int>(i);
        }
    }
    MenuEdit_Band_undef->setText(matched ? QString() : BandText(" (", current));
}

void TForm1::ShowCurrentBand() {
    sFreqBand->setText(QString::fromStdString(FreqToText(CurrentBandMin) + "-" + FreqToText(CurrentBandMax)));
}

void TForm1::ApplyToolBarHints() {
    const std::pair<QToolButton*, int> hints[] = {
        {ToolButton_New, 244}, {ToolButton_Open, 245}, {ToolButton_Save, 246},
        {ToolButton_Read, 247}, {ToolButton_Write, 248},
    };
    for (const auto& [button, row] : hints) button->setToolTip(MainText(row));
}

void TForm1::ShowInformationLine() {
    sSoftwareVersion->setText(MainText(211));
    sSoftwareVersionDisp->setText(QString::fromStdString(softwareData.text(sd::SoftwareVersion)));
    sLastWrite->setText(MainText(212));
    sLastWriteTime->setText(ProgrammingDateText(LastWriteTime));
    sDeviceSn->setText(MainText(200));
    sDeviceSnDisp->setText(QString::fromStdString(softwareData.text(sd::Sn)));
}

void TForm1::ShowChannelGrid() {
    for (int col = 0; col < kChannelGridColumns; ++col) StringGrid1->setCells(col, 0, MainText(15 + col));
    for (int row = 1; row <= kChannelCount; ++row) StringGridUpdataRow(row);
}

void TForm1::FillChannelOverlayLists() {
    // Item 0 is the flag clear, item 1 the flag set.
    FillList(cbChInfor_Pow, {27, 26});
    FillList(cbChInfor_Bandwidth, {29, 28});
    FillList(cbChInfor_SCN, {31, 30});
    FillList(cbChInfor_BusyFit, {32, 33});
    sTiShi_0->setText(MainText(251));
}

void TForm1::ApplyPageCaptions() {
    PageControl_Home->setTabText(PageControl_Home->indexOf(TabSheet_ChInfo), MainText(25));
    PageControl_Home->setTabText(PageControl_Home->indexOf(TabSheet_Option), MainText(35));
    PageControl_Home->setTabText(PageControl_Home->indexOf(TabSheet_Key), MainText(174));
    bChBatchSet->setText(MainText(169));
}
