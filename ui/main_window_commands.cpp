// TForm1: the radio, the port, the language, the service entries and the
// about box.

#include <QLocale>
#include <QPushButton>

#include "link/communication_port_dialog.h"
#include "link/program_dialog.h"
#include "link/program_run.h"
#include "strings/string_table.h"
#include "ui/about_dlg.h"
#include "ui/app_settings.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/string_grid.h"

using namespace t604;

void TForm1::MenuEdit_ReadClick() { RunProgramDialog(true); }
void TForm1::MenuEdit_WriteClick() { RunProgramDialog(false); }

void TForm1::RunProgramDialog(bool readFromRadio) {
    StringGrid1->setCurrentGridCell(1, 1);
    bHide->setFocus();  // an open editor commits first
    TProgramDialog dialog(this, ports(), PortSettings{appSettings.Port, appSettings.AutoSeachPort}, kOpConfig,
                          readFromRadio);
    dialog.setWindowTitle(MainText(readFromRadio ? 247 : 248));
    // A successful read replaces the record once the user confirmed it.
    dialog.setOnRecordReplaced([this] { ApplyLanguageAndRefresh(); });
    dialog.exec();
}

void TForm1::MenuPortClick() {
    TCommunicationPort dialog(this, ports(), appSettings.Port, appSettings.AutoSeachPort);
    dialog.exec();
}

void TForm1::MenuLanguage_ChsClick() { SelectLanguage(1); }
void TForm1::MenuLanguage_ChtClick() { SelectLanguage(2); }
void TForm1::MenuLanguage_EnClick() { SelectLanguage(0); }

void TForm1::SelectLanguage(int languageIndex) {
    bHide->setFocus();
    appSettings.LanguageIndex = languageIndex;
    SetTextMode(TextModeFor(languageIndex, QLocale::system().name().toStdString()));
    ApplyLanguageAndRefresh();
}

// The service tools open from these three entries: the password box of the
// adjustment, the password setting and the new radio password. They attach
// here when they exist; until then the entries are disabled (BuildMenus).
void TForm1::MenuAdjustmentClick() { bHide->setFocus(); }
void TForm1::MenuEdit_PasswordClick() { bHide->setFocus(); }
void TForm1::MenuEdit_SetRadioNewPDClick() { bHide->setFocus(); }

void TForm1::MenuAboutClick() { ShowAboutBox(this); }
