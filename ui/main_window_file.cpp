// TForm1: New, Open and Save of the configuration record.

#include <QMessageBox>
#include <QTabWidget>

#include "model/config_file.h"
#include "model/program_state.h"
#include "ui/file_dialogs.h"
#include "ui/main_window.h"
#include "ui/my_warn_dlg_2.h"
#include "ui/qt_text.h"
#include "ui/string_grid.h"

using namespace t604;

namespace {
constexpr std::string_view kConfigFileFilter = "Corvo File(*.Cvf)|*.Cvf";
}

void TForm1::MenuFile_NewClick() {
    if (!ConfirmClearAllData(this)) return;
    SetDefaultData();
    ApplyLanguageAndRefresh();
}

// An open cell editor commits when the grid takes the focus.
void TForm1::ShowChannelPageFocused() {
    PageControl_Home->setCurrentWidget(TabSheet_ChInfo);
    StringGrid1->setFocus();
}

void TForm1::MenuFile_OpenClick() {
    ShowChannelPageFocused();
    const QString path = AskOpenFileName(this, MainText(150), kConfigFileFilter);
    if (path.isEmpty()) return;
    // A file that cannot be read changes nothing and says nothing.
    if (LoadConfigFile(path.toStdString())) ApplyLanguageAndRefresh();
}

void TForm1::MenuFile_SaveClick() { SaveConfiguration(); }

TForm1::SaveOutcome TForm1::SaveConfiguration() {
    ShowChannelPageFocused();
    const QString path = AskSaveFileName(this, MainText(151), kConfigFileFilter, QStringLiteral("Cvf"));
    if (path.isEmpty()) return SaveOutcome::Cancelled;
    const FileResult saved = SaveConfigFile(path.toStdString());
    if (saved) return SaveOutcome::Saved;
    // The user believes the data safe unless told otherwise.
    QMessageBox::warning(this, MainText(151), QString::fromStdString(saved.error.message()));
    return SaveOutcome::Failed;
}
