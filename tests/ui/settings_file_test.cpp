// The INI document, the settings file's keys and defaults, and where the
// file lives.

#include <QTemporaryDir>
#include <QtTest>

#include "ui/ini_file.h"
#include "ui/settings_file.h"
#include "ui/settings_location.h"

using namespace t604;

class SettingsFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsLikeTheClassicReaders();
    void readsNumbersAndDefaults_data();
    void readsNumbersAndDefaults();
    void updatesInPlaceAndKeepsEverythingElse();
    void keepsTheFilesLineEndings();
    void addsKeysAtTheEndOfTheirSection();
    void missingKeysTakeTheirDefaults();
    void readsThePortDevices();
    void newFileHasDefaultSizesAndCurrentValues();
    void updateWritesOnlyTheExitKeys();
    void savesAndLoadsAFile();
    void choosesTheProgramFolderWhenWritable();
};

void SettingsFileTest::readsLikeTheClassicReaders() {
    const IniFile ini = IniFile::parse(
        "; comment\r\n"
        "[Config]\r\n"
        "  port = 3 \r\n"
        "# another = 9\r\n"
        "Port=4\r\n"
        "name=\"quoted text\"\r\n"
        "[other]\r\n"
        "Port=8\r\n");
    QCOMPARE(ini.readInteger("config", "PORT", 0), 3);  // names without case, the first key wins
    QCOMPARE(ini.readString("CONFIG", "name").value(), std::string("quoted text"));
    QVERIFY(!ini.readString("config", "another"));
    QCOMPARE(ini.readInteger("other", "Port", 0), 8);
    QVERIFY(!ini.readString("missing", "Port"));
}

void SettingsFileTest::readsNumbersAndDefaults_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("integer");
    QTest::addColumn<bool>("boolean");
    QTest::newRow("decimal") << "42" << 42 << true;
    QTest::newRow("zero") << "0" << 0 << false;
    QTest::newRow("negative") << "-5" << -5 << true;
    QTest::newRow("hexadecimal") << "0x1F" << 31 << true;
    QTest::newRow("trailing junk") << "12abc" << -1 << true;  // not a number: the default
    QTest::newRow("empty") << "" << -1 << true;
    QTest::newRow("too large") << "4294967296" << -1 << true;
    QTest::newRow("largest band") << "520000000" << 520000000 << true;
}

void SettingsFileTest::readsNumbersAndDefaults() {
    QFETCH(QString, value);
    QFETCH(int, integer);
    QFETCH(bool, boolean);
    const IniFile ini = IniFile::parse("[s]\nk=" + value.toStdString() + "\n");
    QCOMPARE(ini.readInteger("s", "k", -1), integer);
    QCOMPARE(ini.readBool("s", "k", true), boolean);
}

void SettingsFileTest::updatesInPlaceAndKeepsEverythingElse() {
    const std::string before =
        "[config]\r\n"
        "; chosen by hand\r\n"
        "PORT=7\r\n"
        "\r\n"
        "[mine]\r\n"
        "whatever = kept as it is  \r\n";
    IniFile ini = IniFile::parse(before);
    QCOMPARE(ini.text(), before);
    ini.writeInteger("config", "Port", 2);
    QCOMPARE(ini.text(), std::string("[config]\r\n"
                                     "; chosen by hand\r\n"
                                     "PORT=2\r\n"
                                     "\r\n"
                                     "[mine]\r\n"
                                     "whatever = kept as it is  \r\n"));
}

void SettingsFileTest::keepsTheFilesLineEndings() {
    IniFile ini = IniFile::parse("[a]\nx=1\n[b]\ny=2");  // edited by hand, no final line break
    QCOMPARE(ini.readInteger("b", "y", 0), 2);
    ini.writeInteger("b", "z", 3);
    ini.writeBool("c", "on", true);
    QCOMPARE(ini.text(), std::string("[a]\nx=1\n[b]\ny=2\nz=3\n[c]\non=1\n"));

    IniFile fresh;
    fresh.writeString("s", "k", " ");
    QCOMPARE(fresh.text(), std::string("[s]\r\nk= \r\n"));
}

void SettingsFileTest::addsKeysAtTheEndOfTheirSection() {
    IniFile ini = IniFile::parse("[a]\r\nx=1\r\n\r\n; about b\r\n[b]\r\ny=2\r\n");
    ini.writeInteger("a", "z", 5);
    ini.writeInteger("b", "w", 6);
    QCOMPARE(ini.text(), std::string("[a]\r\nx=1\r\nz=5\r\n\r\n; about b\r\n[b]\r\ny=2\r\nw=6\r\n"));
}

void SettingsFileTest::missingKeysTakeTheirDefaults() {
    // Nearly empty: every key takes its default, a column width keeps the
    // array's value (0 in fresh settings), one key that is there is read.
    const IniFile ini = IniFile::parse("[control]\r\nChSG_Col2=99\r\n[Band]\r\nband-3 max=1\r\n");
    AppSettings s;
    s.BandSelete = 0;
    BandRange band{1, 2};
    ReadSettings(ini, s, band);
    QCOMPARE(s.Port, 1);
    QCOMPARE(s.LanguageIndex, 1);
    QCOMPARE(s.AutoSeachPort, true);
    QCOMPARE(s.ChSG_Row[0], 20);
    QCOMPARE(s.ChSG_Row[99], 20);
    QCOMPARE(s.ChSG_Col[0], 0);
    QCOMPARE(s.ChSG_Col[2], 99);
    QCOMPARE(s.DtmfAbSG_Row[16], 20);
    QCOMPARE(s.DtmfAbSG_Col[2], 0);
    QCOMPARE(s.BandTable[0], DefaultBandTable[0]);
    QCOMPARE(s.BandTable[2], (BandRange{245000000, 1}));
    QCOMPARE(s.BandSelete, 4);
    QCOMPARE(band, (BandRange{400000000, 480000000}));
    QVERIFY(s.portDevices.empty());
}

void SettingsFileTest::readsThePortDevices() {
    const IniFile ini = IniFile::parse(
        "[ports]\nCOM1=/dev/ttyACM0\ncom3 = /dev/ttyS0\nCOM10=/dev/x\nCOM0=/dev/y\nCOM4=\nCOM1=/dev/second\n");
    AppSettings s;
    BandRange band;
    ReadSettings(ini, s, band);
    const std::map<int, std::string> expected{{1, "/dev/ttyACM0"}, {3, "/dev/ttyS0"}};
    QVERIFY(s.portDevices == expected);
}

void SettingsFileTest::newFileHasDefaultSizesAndCurrentValues() {
    AppSettings s;  // sizes and table zero: the new file has the defaults all the same
    s.Port = 3;
    s.LanguageIndex = 0;
    s.AutoSeachPort = false;
    s.BandSelete = 2;
    s.portDevices = {{1, "/dev/ttyACM0"}};
    const std::string text = NewSettingsFile(s, {136000000, 174000000}).text();
    QVERIFY(text.starts_with("[config]\r\nPort=3\r\nLanguage=0\r\nAutoSeachPort=0\r\n[control]\r\nChSG_Row0=20\r\n"));
    QVERIFY(text.find("ChSG_Col8=80\r\nDtmfAbSG_Row0=20\r\n") != std::string::npos);
    QVERIFY(text.find("DtmfAbSG_Col2=130\r\n[Band]\r\nband-1 min=136000000\r\nband-1 max=174000000\r\n") !=
            std::string::npos);
    QVERIFY(text.ends_with("band-6 max=520000000\r\nband Selete=2\r\nband min=136000000\r\nband max=174000000\r\n"
                           "[chs]\r\nAppName= \r\nCompany= \r\n[cht]\r\nAppName= \r\nCompany= \r\n"
                           "[eng]\r\nAppName= \r\nCompany= \r\n"));
    QVERIFY(text.find("ports") == std::string::npos);
}

void SettingsFileTest::updateWritesOnlyTheExitKeys() {
    IniFile ini = NewSettingsFile(FirstStartSettings(), DefaultBandTable[3]);
    ini.writeInteger("Band", "band-2 min", 1);  // a band range edited by hand
    ini.writeString("chs", "AppName", "mine");
    AppSettings s = FirstStartSettings();
    s.Port = 9;
    s.LanguageIndex = 2;
    s.ChSG_Row[99] = 33;
    s.ChSG_Col[3] = 0;
    s.DtmfAbSG_Col[1] = 71;
    s.BandTable[1] = {5, 6};  // never written back
    s.BandSelete = 0;
    UpdateSettingsFile(ini, s, {136000000, 174000000});
    AppSettings back;
    BandRange band;
    ReadSettings(ini, back, band);
    QCOMPARE(back.Port, 9);
    QCOMPARE(back.LanguageIndex, 2);
    QCOMPARE(back.ChSG_Row[99], 33);
    QCOMPARE(back.ChSG_Col[3], 0);
    QCOMPARE(back.DtmfAbSG_Col[1], 71);
    QCOMPARE(back.BandTable[1], (BandRange{1, 490000000}));
    QCOMPARE(back.BandSelete, 0);
    QCOMPARE(band, (BandRange{136000000, 174000000}));
    QCOMPARE(ini.readString("chs", "AppName").value(), std::string("mine"));
}

void SettingsFileTest::savesAndLoadsAFile() {
    QTemporaryDir folder;
    const std::string path = folder.filePath("_config.ini").toStdString();
    QVERIFY(!IniFile::load(path));
    IniFile ini;
    ini.writeInteger("config", "Port", 5);
    QVERIFY(ini.save(path));
    QCOMPARE(IniFile::load(path)->text(), std::string("[config]\r\nPort=5\r\n"));
    const FileResult failed = ini.save(folder.filePath("missing/_config.ini").toStdString());
    QVERIFY(!failed);
    QVERIFY(failed.error.message().find("missing/_config.ini") != std::string::npos);
}

void SettingsFileTest::choosesTheProgramFolderWhenWritable() {
    QTemporaryDir folder;
    QCOMPARE(ChooseSettingsPath(folder.path(), "/cfg", "/home/u"), folder.filePath("_config.ini"));
    // An installed program: the user's configuration folder.
    const QString missing = folder.filePath("not-there");
    QCOMPARE(ChooseSettingsPath(missing, "/cfg", "/home/u"), QString("/cfg/t604/_config.ini"));
    QCOMPARE(ChooseSettingsPath(missing, "", "/home/u"), QString("/home/u/.config/t604/_config.ini"));
    QCOMPARE(ChooseSettingsPath(missing, "relative", "/home/u"), QString("/home/u/.config/t604/_config.ini"));
}

QTEST_GUILESS_MAIN(SettingsFileTest)
#include "settings_file_test.moc"
