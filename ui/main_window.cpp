// TForm1: start-up, the settings file and closing.

#include "ui/main_window.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QtDebug>

#include "link/port_selection.h"
#include "link/posix_serial_port.h"
#include "model/freq_codec.h"
#include "model/program_state.h"
#include "strings/string_table.h"
#include "ui/app_settings.h"
#include "ui/my_warn_dlg_3.h"
#include "ui/qt_text.h"
#include "ui/settings_file.h"
#include "ui/settings_location.h"
#include "ui/string_grid.h"
#include "ui/window_font.h"

using namespace t604;

namespace {

std::unique_ptr<PortSystem> PosixPorts(const std::map<int, std::string>& devices) {
    return std::make_unique<PosixPortSystem>(devices);
}

void SaveSettings(const IniFile& ini, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Settings problems never interrupt the user; the terminal still hears.
    if (FileResult saved = ini.save(path.toStdString()); !saved)
        qWarning().noquote() << "Settings not saved:" << QString::fromStdString(saved.error.message());
}

}  // namespace

TForm1::TForm1(MainWindowEnvironment environment)
    : settingsPath_(environment.settingsPath.isEmpty() ? SettingsFilePath() : environment.settingsPath) {
    setFont(WindowFont());
    BuildMenus();
    BuildToolBar();
    BuildPages();

    readOrCreateSettings(environment.makePortSystem ? environment.makePortSystem : PosixPorts);
    SetDefaultAllData();

    bHide->setGeometry(0, 0, 1, 1);
    bHide->raise();
    SetUpChannelGrid();
    FillToneList();
    SetUpAddrBookGrid();

    SetTextMode(TextModeFor(appSettings.LanguageIndex, QLocale::system().name().toStdString()));
    ApplyLanguageAndRefresh();

    // A fixed 699 x 538 client area below the menu bar, measured once the
    // menus have their captions (an empty menu bar is only a few pixels high).
    setFixedSize(699, 538 + menuBar()->sizeHint().height());
    if (QScreen* s = screen()) move(s->availableGeometry().center() - QPoint(width() / 2, height() / 2));
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::readOrCreateSettings(const PortSystemFactory& makePortSystem) {
    std::optional<IniFile> ini = IniFile::load(settingsPath_.toStdString());
    appSettings = ini ? AppSettings{} : FirstStartSettings();
    BandRange band = DefaultBandTable[3];
    if (ini) ReadSettings(*ini, appSettings, band);
    CurrentBandMin = band.min;
    CurrentBandMax = band.max;
    ports_ = makePortSystem(appSettings.portDevices);
    if (ini) {
        ScanComPorts(*ports_);
        appSettings.Port = PortAfterScan(appSettings.Port, FoundPorts);
    } else {
        SaveSettings(NewSettingsFile(appSettings, band), settingsPath_);
    }
}

void TForm1::FormDestroy() {
    const BandRange band{CurrentBandMin, CurrentBandMax};
    std::optional<IniFile> ini = IniFile::load(settingsPath_.toStdString());
    if (!ini) {
        SaveSettings(NewSettingsFile(appSettings, band), settingsPath_);
        return;
    }
    StringGrid1->storeSizes(appSettings.ChSG_Row, appSettings.ChSG_Col);
    sgD_AddrBook->storeSizes(appSettings.DtmfAbSG_Row, appSettings.DtmfAbSG_Col);
    UpdateSettingsFile(*ini, appSettings, band);
    SaveSettings(*ini, settingsPath_);
}

void TForm1::closeEvent(QCloseEvent* event) {
    if (FormClose())
        event->accept();
    else
        event->ignore();
}

bool TForm1::FormClose() {
    TMyWarnDlg_3 question(this);
    question.OKBtn->setText(MainText(198));
    question.NoBtn->setText(MainText(199));
    question.CancelBtn->setText(MainText(154));
    question.Label1->setText(MainText(197));
    switch (question.exec()) {
    case mrOk:
        // A save that failed keeps the window open, so that no edit is lost;
        // a cancelled save dialog still closes, as the user decided.
        return SaveConfiguration() != SaveOutcome::Failed;
    case mrNo:
        return true;
    default:
        return false;
    }
}

void TForm1::MenuFile_ExitClick() { close(); }
