// TForm1: menus, tool bar and pages. Captions are set by
// ApplyLanguageAndRefresh; what is built here has none yet.

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/tone_codec.h"
#include "ui/app_settings.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"

using namespace t604;

// The images are linked into the window's library; naming them here keeps
// the linker from leaving them out. (Outside any namespace, as the macro
// declares a global function.)
static void LoadImages() { Q_INIT_RESOURCE(resources); }

namespace {

QToolButton* AddToolButton(QToolBar* bar, const char* image, void (TForm1::*command)(), TForm1* window) {
    auto* button = new QToolButton(bar);
    button->setIcon(QIcon(QString::fromLatin1(image)));
    button->setIconSize(QSize(24, 24));
    button->setFixedSize(32, 32);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);  // a click must not take the focus from an open editor
    QObject::connect(button, &QToolButton::clicked, window, command);
    bar->addWidget(button);
    return button;
}

// A box with a sunken border for a value of the information line.
QLabel* SunkenBox(QWidget* parent, int width) {
    auto* box = new QLabel(parent);
    box->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    box->setFixedSize(width, 18);
    box->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    return box;
}

QComboBox* HiddenList(QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->hide();
    return list;
}

}  // namespace

void TForm1::BuildMenus() {
    QMenuBar* bar = menuBar();
    MenuFile = bar->addMenu(QString());
    MenuFile_New = MenuFile->addAction(QString(), this, &TForm1::MenuFile_NewClick);
    MenuFile_Open = MenuFile->addAction(QString(), this, &TForm1::MenuFile_OpenClick);
    MenuFile_Save = MenuFile->addAction(QString(), this, &TForm1::MenuFile_SaveClick);
    MenuFile->addSeparator();
    MenuFile_Exit = MenuFile->addAction(QString(), this, &TForm1::MenuFile_ExitClick);

    MenuEdit = bar->addMenu(QString());
    MenuEdit_Read = MenuEdit->addAction(QString(), this, &TForm1::MenuEdit_ReadClick);
    MenuEdit_Read->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    MenuEdit_Write = MenuEdit->addAction(QString(), this, &TForm1::MenuEdit_WriteClick);
    MenuEdit_Write->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
    MenuEdit->addSeparator();
    MenuEdit_Password = MenuEdit->addAction(QString(), this, &TForm1::MenuEdit_PasswordClick);
    MenuEdit_SetRadioNewPD = MenuEdit->addAction(QString(), this, &TForm1::MenuEdit_SetRadioNewPDClick);
    // Their dialogs (password setting, new radio password) are not built yet:
    // shown, but unavailable, rather than entries that do nothing.
    MenuEdit_Password->setEnabled(false);
    MenuEdit_SetRadioNewPD->setEnabled(false);
    MenuEdit->addSeparator();
    // The band entries: built and kept up to date, but never shown; the band
    // is changed through the band setting of the service tools.
    MenuEdit_Band = MenuEdit->addMenu(QString());
    MenuEdit_Band->menuAction()->setVisible(false);
    for (QAction*& entry : MenuEdit_Band_) {
        entry = MenuEdit_Band->addAction(QString());
        entry->setCheckable(true);
    }
    MenuEdit_Band->addSeparator();
    MenuEdit_Band_undef = MenuEdit_Band->addAction(QString());

    MenuPort = bar->addAction(QString(), this, &TForm1::MenuPortClick);

    MenuLanguage = bar->addMenu(QString());
    MenuLanguage_Chs = MenuLanguage->addAction(QString(), this, &TForm1::MenuLanguage_ChsClick);
    MenuLanguage_Cht = MenuLanguage->addAction(QString(), this, &TForm1::MenuLanguage_ChtClick);
    MenuLanguage_En = MenuLanguage->addAction(QString(), this, &TForm1::MenuLanguage_EnClick);
    for (QAction* item : {MenuLanguage_Chs, MenuLanguage_Cht, MenuLanguage_En}) item->setCheckable(true);

    MenuAdjustment = bar->addAction(QString(), this, &TForm1::MenuAdjustmentClick);
    MenuAdjustment->setEnabled(false);  // the adjustment's password box is not built yet

    MenuHelp = bar->addMenu(QString());
    MenuAbout = MenuHelp->addAction(QString(), this, &TForm1::MenuAboutClick);
}

void TForm1::BuildToolBar() {
    LoadImages();
    ToolBar1 = addToolBar(QString());
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(24, 24));
    ToolButton_New = AddToolButton(ToolBar1, ":/icons/new.png", &TForm1::MenuFile_NewClick, this);
    ToolButton_Open = AddToolButton(ToolBar1, ":/icons/open.png", &TForm1::MenuFile_OpenClick, this);
    ToolButton_Save = AddToolButton(ToolBar1, ":/icons/save.png", &TForm1::MenuFile_SaveClick, this);
    ToolBar1->addSeparator();
    ToolButton_Read = AddToolButton(ToolBar1, ":/icons/read.png", &TForm1::MenuEdit_ReadClick, this);
    ToolButton_Write = AddToolButton(ToolBar1, ":/icons/write.png", &TForm1::MenuEdit_WriteClick, this);
    ToolBar1->addSeparator();
    ToolButton2 = AddToolButton(ToolBar1, ":/icons/simplified.png", &TForm1::MenuLanguage_ChsClick, this);
    ToolButton3 = AddToolButton(ToolBar1, ":/icons/traditional.png", &TForm1::MenuLanguage_ChtClick, this);
    ToolButton5 = AddToolButton(ToolBar1, ":/icons/english.png", &TForm1::MenuLanguage_EnClick, this);
}

void TForm1::BuildPages() {
    PageControl_Home = new QTabWidget(this);
    TabSheet_ChInfo = new QWidget;
    TabSheet_Option = new QWidget;
    TabSheet_Key = new QWidget;
    PageControl_Home->addTab(TabSheet_ChInfo, QString());
    PageControl_Home->addTab(TabSheet_Option, QString());
    PageControl_Home->addTab(TabSheet_Key, QString());
    setCentralWidget(PageControl_Home);
    BuildChannelPage();
    BuildOptionPage();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    setStatusBar(StatusBar1);

    bHide = new QPushButton(this);
}

void TForm1::BuildChannelPage() {
    QWidget* page = TabSheet_ChInfo;
    sFreqBand = new QLabel(page);
    QFont bold = sFreqBand->font();
    bold.setBold(true);
    sFreqBand->setFont(bold);

    StringGrid1 = new TStringGrid(kChannelGridColumns, kChannelGridRows, page);
    bChBatchSet = new QPushButton(page);
    bChBatchSet->hide();

    sLastWrite = new QLabel(page);
    sLastWriteTime = SunkenBox(page, 120);
    sDeviceSn = new QLabel(page);
    sDeviceSnDisp = SunkenBox(page, 100);
    sSoftwareVersion = new QLabel(page);
    sSoftwareVersionDisp = SunkenBox(page, 100);
    for (QWidget* hidden : {static_cast<QWidget*>(sDeviceSn), static_cast<QWidget*>(sDeviceSnDisp),
                            static_cast<QWidget*>(sSoftwareVersion), static_cast<QWidget*>(sSoftwareVersionDisp)})
        hidden->hide();

    auto* infoLine = new QHBoxLayout;
    infoLine->addWidget(sLastWrite);
    infoLine->addWidget(sLastWriteTime);
    infoLine->addSpacing(16);
    infoLine->addWidget(sDeviceSn);
    infoLine->addWidget(sDeviceSnDisp);
    infoLine->addSpacing(16);
    infoLine->addWidget(sSoftwareVersion);
    infoLine->addWidget(sSoftwareVersionDisp);
    infoLine->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(sFreqBand);
    layout->addWidget(StringGrid1, 1);
    layout->addLayout(infoLine);

    // The editors lie over the grid, outside the layout.
    Edit_ChFreq = new QLineEdit(page);
    Edit_ChFreq->hide();
    Edit_ChName = new QLineEdit(page);
    Edit_ChName->hide();
    ComboBox1 = HiddenList(page);
    ComboBox1->setEditable(true);
    cbCh_SquelchMode = HiddenList(page);
    cbChInfor_Pow = HiddenList(page);
    cbChInfor_Bandwidth = HiddenList(page);
    cbChInfor_SCN = HiddenList(page);
    cbChInfor_BusyFit = HiddenList(page);
    sTiShi_0 = new QLabel(page);
    sTiShi_0->hide();
}

void TForm1::BuildOptionPage() {
    sgD_AddrBook = new TStringGrid(kAddrBookGridColumns, kAddrBookGridRows, TabSheet_Option);
    sgD_AddrBook->hide();
    eD_AddrBook_name = new QLineEdit(TabSheet_Option);
    eD_AddrBook_name->hide();
    eD_AddrBook_id = new QLineEdit(TabSheet_Option);
    eD_AddrBook_id->hide();
}

void TForm1::SetUpChannelGrid() {
    StringGrid1->setSizes(appSettings.ChSG_Row, appSettings.ChSG_Col);
    for (int row = 1; row < kChannelGridRows; ++row)
        StringGrid1->setCells(0, row, QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0')));
}

void TForm1::SetUpAddrBookGrid() {
    sgD_AddrBook->setSizes(appSettings.DtmfAbSG_Row, appSettings.DtmfAbSG_Col);
    for (int row = 1; row < kAddrBookGridRows; ++row) sgD_AddrBook->setCells(0, row, QString::number(row));
}

void TForm1::FillToneList() {
    for (const ToneEntry& tone : CtcssTable) ComboBox1->addItem(QString::fromLatin1(tone.text.data(), tone.text.size()));
    for (const ToneEntry& tone : DcsTable) ComboBox1->addItem(QString::fromLatin1(tone.text.data(), tone.text.size()));
}
