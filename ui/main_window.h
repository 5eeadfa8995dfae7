#pragma once
// TForm1: the main window. It shows the configuration record (channel page,
// option and key pages), runs the file and radio commands on it and keeps
// the program's settings file. The record and the settings are program-wide
// (model/program_state.h, ui/app_settings.h); the window draws them.
//
// Its work is split by job: main_window.cpp (start-up, settings, closing),
// main_window_build.cpp (menus, tool bar, pages), main_window_file.cpp (New,
// Open, Save), main_window_commands.cpp (radio, port, language, about),
// apply_language.cpp (ApplyLanguageAndRefresh), channel_grid_display.cpp
// (the channel rows).

#include <QMainWindow>
#include <QString>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "link/serial_port.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QToolBar;
class QToolButton;
class TStringGrid;

// The ports COM1..COM9, given the devices named in the settings file's
// [ports] section.
using PortSystemFactory =
    std::function<std::unique_ptr<t604::PortSystem>(const std::map<int, std::string>& devices)>;

// What the window takes from outside. Tests give a settings file in a
// temporary folder and ports that do not exist.
struct MainWindowEnvironment {
    QString settingsPath;              // empty: SettingsFilePath()
    PortSystemFactory makePortSystem;  // empty: the POSIX port layer
};

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // Start-up: reads (or creates) the settings file, resets the records,
    // sets up the pages and shows the record in the stored language.
    explicit TForm1(MainWindowEnvironment environment = {});
    // Writes the settings back (FormDestroy).
    ~TForm1() override;

    // Redraws the whole window from the record in the current language.
    void ApplyLanguageAndRefresh();
    // The settings write of the exit; also run after a band change.
    void FormDestroy();

    // Channel rows 1..99 from the record.
    void StringGridUpdataRow(int row);
    void StringGridCleanRow(int row);

    t604::PortSystem& ports() { return *ports_; }

    // Menus.
    QMenu* MenuFile;
    QAction* MenuFile_New;
    QAction* MenuFile_Open;
    QAction* MenuFile_Save;
    QAction* MenuFile_Exit;
    QMenu* MenuEdit;
    QAction* MenuEdit_Read;
    QAction* MenuEdit_Write;
    QAction* MenuEdit_Password;
    QAction* MenuEdit_SetRadioNewPD;
    QMenu* MenuEdit_Band;                    // hidden
    std::array<QAction*, 6> MenuEdit_Band_;  // MenuEdit_Band_1 .. MenuEdit_Band_6
    QAction* MenuEdit_Band_undef;
    QAction* MenuPort;
    QMenu* MenuLanguage;
    QAction* MenuLanguage_Chs;
    QAction* MenuLanguage_Cht;
    QAction* MenuLanguage_En;
    QAction* MenuAdjustment;
    QMenu* MenuHelp;
    QAction* MenuAbout;

    // Tool bar.
    QToolBar* ToolBar1;
    QToolButton* ToolButton_New;
    QToolButton* ToolButton_Open;
    QToolButton* ToolButton_Save;
    QToolButton* ToolButton_Read;
    QToolButton* ToolButton_Write;
    QToolButton* ToolButton2;  // Simplified Chinese
    QToolButton* ToolButton3;  // Traditional Chinese
    QToolButton* ToolButton5;  // English

    // Pages.
    QTabWidget* PageControl_Home;
    QWidget* TabSheet_ChInfo;
    QWidget* TabSheet_Option;
    QWidget* TabSheet_Key;

    // Channel page.
    QLabel* sFreqBand;
    TStringGrid* StringGrid1;
    QPushButton* bChBatchSet;  // hidden
    QLabel* sLastWrite;
    QLabel* sLastWriteTime;
    QLabel* sDeviceSn;  // hidden, with its box
    QLabel* sDeviceSnDisp;
    QLabel* sSoftwareVersion;  // hidden, with its box
    QLabel* sSoftwareVersionDisp;
    // The channel editors, hidden until one is placed over a cell.
    QLineEdit* Edit_ChFreq;
    QLineEdit* Edit_ChName;
    QComboBox* ComboBox1;  // tones
    QComboBox* cbCh_SquelchMode;
    QComboBox* cbChInfor_Pow;
    QComboBox* cbChInfor_Bandwidth;
    QComboBox* cbChInfor_SCN;
    QComboBox* cbChInfor_BusyFit;
    QLabel* sTiShi_0;  // "Nonstandard value"

    // Option page: the address book (hidden).
    TStringGrid* sgD_AddrBook;
    QLineEdit* eD_AddrBook_name;
    QLineEdit* eD_AddrBook_id;

    QStatusBar* StatusBar1;
    QPushButton* bHide;  // 1 x 1 focus sink: open editors commit when it takes the focus

    // Commands.
    void MenuFile_NewClick();
    void MenuFile_OpenClick();
    void MenuFile_SaveClick();
    void MenuFile_ExitClick();
    void MenuEdit_ReadClick();
    void MenuEdit_WriteClick();
    void MenuEdit_PasswordClick();
    void MenuEdit_SetRadioNewPDClick();
    void MenuPortClick();
    void MenuLanguage_ChsClick();
    void MenuLanguage_ChtClick();
    void MenuLanguage_EnClick();
    void MenuAdjustmentClick();
    void MenuAboutClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    // No menu for hiding the tool bar.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    enum class SaveOutcome { Saved, Cancelled, Failed };

    // Start-up.
    void readOrCreateSettings(const PortSystemFactory& makePortSystem);
    void BuildMenus();
    void BuildToolBar();
    void BuildPages();
    void BuildChannelPage();
    void BuildOptionPage();
    void SetUpChannelGrid();
    void SetUpAddrBookGrid();
    void FillToneList();

    // Closing: true when the window may close.
    bool FormClose();
    SaveOutcome SaveConfiguration();
    void ShowChannelPageFocused();
    void RunProgramDialog(bool readFromRadio);
    void SelectLanguage(int languageIndex);

    // ApplyLanguageAndRefresh, in its order.
    void CheckLanguageMenu();
    void ApplyMenuCaptions();
    void ShowBandEntries();
    void ShowCurrentBand();
    void ApplyToolBarHints();
    void ShowInformationLine();
    void ShowChannelGrid();
    void FillChannelOverlayLists();
    void ApplyPageCaptions();

    QString settingsPath_;
    std::unique_ptr<t604::PortSystem> ports_;
};
