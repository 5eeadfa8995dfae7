// The string table sets, the choice of the text mode and FetchText.

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "strings/dialog_strings.h"
#include "strings/gbk.h"
#include "strings/string_table.h"

namespace t604 {
namespace {

struct NamedSet {
    const char* name;
    const StringTableSet& set;
    std::size_t rows;
};

const std::vector<NamedSet>& AllSets() {
    static const std::vector<NamedSet> sets = {
        {"MainStrings", MainStrings, 271},
        {"ProgramDialogStrings", ProgramDialogStrings, kProgramDialogRows},
        {"PortDialogStrings", PortDialogStrings, kPortDialogRows},
        {"WarnDialogStrings", WarnDialogStrings, kWarnDialogRows},
        {"AdjustmentDialogStrings", AdjustmentDialogStrings, kAdjustmentDialogRows},
    };
    return sets;
}

TEST(StringTables, EveryTableOfASetHasTheSetsRows) {
    EXPECT_EQ(kProgramDialogRows, 8);
    EXPECT_EQ(kPortDialogRows, 3);
    EXPECT_EQ(kWarnDialogRows, 1);
    EXPECT_EQ(kAdjustmentDialogRows, 28);
    for (const auto& [name, set, rows] : AllSets()) {
        EXPECT_EQ(set.english.size(), rows) << name;
        EXPECT_EQ(set.simplified.size(), rows) << name;
        EXPECT_EQ(set.traditional.size(), rows) << name;
    }
}

TEST(StringTables, EveryChineseTextHasAGbkForm) {
    for (const auto& [name, set, rows] : AllSets())
        for (std::size_t row = 0; row < rows; ++row) {
            EXPECT_TRUE(Utf8ToGbk(set.simplified[row])) << name << " simplified row " << row;
            EXPECT_TRUE(Utf8ToGbk(set.traditional[row])) << name << " traditional row " << row;
        }
}

TEST(StringTables, EnglishIsAscii) {
    for (const auto& [name, set, rows] : AllSets())
        for (std::size_t row = 0; row < rows; ++row)
            for (unsigned char c : set.english[row]) EXPECT_LT(c, 0x80) << name << " row " << row;
}

// A row means the same in all three languages: it is empty in all or none.
TEST(StringTables, RowsAreEmptyInAllLanguagesOrNone) {
    for (const auto& [name, set, rows] : AllSets())
        for (std::size_t row = 0; row < rows; ++row) {
            const bool empty = set.english[row].empty();
            EXPECT_EQ(set.simplified[row].empty(), empty) << name << " row " << row;
            EXPECT_EQ(set.traditional[row].empty(), empty) << name << " row " << row;
        }
}

TEST(MainStrings, UnusedRowsAreEmptyAndTheOthersAreNot) {
    for (int row = 0; row < kMainStringRows; ++row) {
        const bool unused = row == 255 || row == 256 || (row >= 259 && row <= 267);
        EXPECT_EQ(MainStrings.english[row].empty(), unused) << "row " << row;
    }
}

struct MainRow {
    int row;
    std::string_view english, simplified, traditional;
};

TEST(MainStrings, SpotChecks) {
    const MainRow rows[] = {
        {0, "T-604", "T-604", "T-604"},
        {1, "&File", "文件(&F)", "文件(&F)"},
        {9, "&Communication Port", "通讯端口(&C)", "通訊端口(&C)"},
        {11, "Chinese(&Simplified)", "中文(简体)(&S)", "中文(簡體)(&S)"},
        {15, "NO.", "信道", "信道"},
        {17, "TX Freq.", "发射频率", "發射頻率"},
        {18, "QT/DQT Dec", "亚音频解码", "亞音頻解碼"},
        {44, "SQL", "静噪等级", "靜噪等級"},
        {66, "Clcok", "时钟", "時鐘"},
        {132, "DTMF On/Off", "DTMF 开启/关闭", "DTMF 開啟/關閉"},
        {153, "Ok", "确定", "確定"},
        {154, "Cannel", "取消", "取消"},
        {155, "Clear all data ?", "清除所有数据？", "清除所有數據？"},
        {162, "Radio Programming Software", "对讲机编程软件", "對講機編程軟件"},
        {163, "Version: V1.0.0", "版本：V1.0.0", "版本：V1.0.0"},
        {169, "Batch Set", "批量设置", "批量設置"},
        {185, "Scan", "扫描", "掃描"},
        {197, "Do you want to save data ?", "关闭应用程序前保存数据 ？", "關閉應用程序前保存數據 ？"},
        {239, "Call Selete", "呼叫选择", "呼叫選擇"},
        {247, "Read from radio", "读频", "讀頻"},
        {258, "Write data to radio with new password", "写频时也一起写入新密码",
         "寫頻時也一起寫入新密碼"},
        {270, "Distance Alarm", "远程报警", "遠程報警"},
        // Rows whose Traditional wording differs from the Simplified one.
        {129, "Address Book Edit", "通讯本编辑", "通訊薄編輯"},
        {194, "Battery Power Indicator", "电量查询", "電量檢查"},
        {212, "Last Program Date", "最后编程日期", "最後編程時間"},
        {230, "Slave Alarm Period", "从机报警间隔", "從機報警時間"},
        {241, "Auto reset time(s)", "自动复位时间(秒)", "自動恢復時間(秒)"},
    };
    for (const auto& [row, english, simplified, traditional] : rows) {
        EXPECT_EQ(MainStrings.english[row], english) << "row " << row;
        EXPECT_EQ(MainStrings.simplified[row], simplified) << "row " << row;
        EXPECT_EQ(MainStrings.traditional[row], traditional) << "row " << row;
    }
}

// Characters that exist only in Simplified script and occur in the
// Simplified table: none of them may be left in the Traditional one.
TEST(MainStrings, TraditionalTableHoldsNoSimplifiedOnlyCharacters) {
    const std::vector<std::string_view> simplifiedOnly = {
        "频", "发", "码", "设", "对", "讲", "机", "开", "关", "读", "写", "时", "间", "扫", "静",
        "亚", "组", "选", "键", "钟", "讯", "确", "据", "数", "报", "动", "软", "项", "级", "输"};
    for (int row = 0; row < kMainStringRows; ++row)
        for (std::string_view character : simplifiedOnly)
            EXPECT_EQ(MainStrings.traditional[row].find(character), std::string_view::npos)
                << "row " << row << " keeps " << character;
}

TEST(MainStrings, MakerLineIsOurs) {
    for (TextMode mode : {TextMode::English, TextMode::Simplified, TextMode::Traditional}) {
        EXPECT_FALSE(FetchText(MainStrings, 164, mode).empty());
        EXPECT_NE(FetchText(MainStrings, 165, mode).find("T-604"), std::string_view::npos);
    }
}

TEST(DialogStrings, SpotChecks) {
    EXPECT_EQ(ProgramDialogStrings.english[kProgramStart], "Start");
    EXPECT_EQ(ProgramDialogStrings.simplified[kProgramStart], "开始");
    EXPECT_EQ(ProgramDialogStrings.english[kProgramCancel], "Cancel");
    EXPECT_EQ(ProgramDialogStrings.simplified[kProgramCancel], "取消");
    EXPECT_EQ(ProgramDialogStrings.english[kCommunicationFalse], "Communication False");
    EXPECT_EQ(ProgramDialogStrings.simplified[kCommunicationFalse], "无法连接");
    EXPECT_EQ(ProgramDialogStrings.traditional[kCommunicationFalse], "無法連接");
    EXPECT_EQ(ProgramDialogStrings.english[kSuccess], "SUCCESS");
    EXPECT_EQ(ProgramDialogStrings.simplified[kSuccess], "成功");
    EXPECT_EQ(ProgramDialogStrings.english[kPasswordError], "Password Error");
    EXPECT_EQ(ProgramDialogStrings.simplified[kPasswordError], "密码验证错误!");
    EXPECT_EQ(ProgramDialogStrings.english[kOldVersion], "Device is old version");
    EXPECT_EQ(ProgramDialogStrings.simplified[kOldVersion], "早期版本机子，不支持");

    EXPECT_EQ(PortDialogStrings.traditional[kPortOk], "確認");
    EXPECT_EQ(PortDialogStrings.traditional[kPortCancel], "取消");
    EXPECT_EQ(PortDialogStrings.english[kPortAutoSearch], "Auto search COM port");
    EXPECT_EQ(PortDialogStrings.simplified[kPortAutoSearch], "自动查找通讯口");
    EXPECT_EQ(PortDialogStrings.traditional[kPortAutoSearch], "自動查找通訊口");

    EXPECT_EQ(WarnDialogStrings.english[kWarnOk], "OK");
    EXPECT_EQ(WarnDialogStrings.simplified[kWarnOk], "确认");
    EXPECT_EQ(WarnDialogStrings.traditional[kWarnOk], "確認");

    const std::pair<int, std::pair<std::string_view, std::string_view>> adjustment[] = {
        {kAdjustOk, {"OK", "确认"}},       {kAdjustCancel, {"Cancel", "取消"}},
        {kAdjustOpenTitle, {"Open", "打开"}}, {kAdjustSaveTitle, {"Save", "保存"}},
        {kAdjustClearAll, {"Clear all data ?", "清除所有数据？"}},
    };
    for (const auto& [row, texts] : adjustment) {
        EXPECT_EQ(AdjustmentDialogStrings.english[row], texts.first) << "row " << row;
        EXPECT_EQ(AdjustmentDialogStrings.simplified[row], texts.second) << "row " << row;
    }
    EXPECT_EQ(AdjustmentDialogStrings.english[kAdjustFileFilter], "Corvo File(*.cvfa)");
}

TEST(DialogStrings, AdjustmentTraditionalRepeatsSimplified) {
    for (int row = 0; row < kAdjustmentDialogRows; ++row)
        EXPECT_EQ(AdjustmentDialogStrings.traditional[row], AdjustmentDialogStrings.simplified[row]);
}

TEST(TextModeFor, LanguageIndexThenSystemLocale) {
    const struct {
        int languageIndex;
        std::string_view locale;
        TextMode expected;
    } cases[] = {
        {0, "zh_CN", TextMode::English},
        {1, "en_US", TextMode::Simplified},
        {2, "zh_CN", TextMode::Traditional},
        {9, "zh_TW", TextMode::Traditional},
        {5, "zh_CN", TextMode::Simplified},
        {-1, "en_US", TextMode::English},
        {3, "zh_SG", TextMode::Simplified},
        {3, "zh_HK", TextMode::Traditional},
        {3, "zh_MO", TextMode::Traditional},
        {3, "zh", TextMode::Traditional},
        {3, "zh_CN.UTF-8", TextMode::Simplified},
        {3, "zh_TW.Big5@stroke", TextMode::Traditional},
        {3, "zh-Hans-CN", TextMode::Simplified},
        {3, "zh-Hant-TW", TextMode::Traditional},
        {3, "ZH_cn", TextMode::Simplified},
        {3, "de_CH", TextMode::English},
        {3, "en_CN", TextMode::English},
        {3, "zhx_CN", TextMode::English},
        {3, "C", TextMode::English},
        {3, "", TextMode::English},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextModeFor(c.languageIndex, c.locale), c.expected)
            << c.languageIndex << " " << c.locale;
}

// Restores the text mode and the locale variables that a test changes.
class TextModeState : public ::testing::Test {
protected:
    void TearDown() override {
        SetTextMode(saved_mode_);
        for (std::size_t i = 0; i < std::size(kVariables); ++i) {
            if (saved_env_[i])
                setenv(kVariables[i], saved_env_[i]->c_str(), 1);
            else
                unsetenv(kVariables[i]);
        }
    }
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};

private:
    static std::optional<std::string> Saved(const char* variable) {
        const char* value = std::getenv(variable);
        return value ? std::optional<std::string>(value) : std::nullopt;
    }
    TextMode saved_mode_ = CurrentTextMode();
    std::optional<std::string> saved_env_[3] = {Saved("LC_ALL"), Saved("LC_MESSAGES"),
                                                Saved("LANG")};
};

TEST_F(TextModeState, SystemLocaleNameFollowsTheCLibraryOrder) {
    setenv("LC_ALL", "zh_TW.UTF-8", 1);
    setenv("LC_MESSAGES", "zh_CN.UTF-8", 1);
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(SystemLocaleName(), "zh_TW.UTF-8");
    setenv("LC_ALL", "", 1);
    EXPECT_EQ(SystemLocaleName(), "zh_CN.UTF-8");
    unsetenv("LC_MESSAGES");
    EXPECT_EQ(SystemLocaleName(), "en_US.UTF-8");
    unsetenv("LANG");
    unsetenv("LC_ALL");
    EXPECT_EQ(SystemLocaleName(), "C");
}

// The mode before any setting, taken in a fresh process where nothing has
// read it yet (no fixture: saving the mode would read it).
TEST(TextModeStart, FollowsTheSystemLocale) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const auto firstMode = [](const char* locale) {
        setenv("LC_ALL", locale, 1);
        std::exit(static_cast<int>(CurrentTextMode()));
    };
    EXPECT_EXIT(firstMode("zh_TW.UTF-8"), ::testing::ExitedWithCode(3), "");
    EXPECT_EXIT(firstMode("zh_CN.UTF-8"), ::testing::ExitedWithCode(2), "");
    EXPECT_EXIT(firstMode("en_GB.UTF-8"), ::testing::ExitedWithCode(1), "");
}

TEST_F(TextModeState, FetchTextUsesTheCurrentMode) {
    SetTextMode(TextMode::Simplified);
    EXPECT_EQ(CurrentTextMode(), TextMode::Simplified);
    EXPECT_EQ(FetchText(MainStrings, 7), "读频(&R)");
    EXPECT_EQ(FetchText(WarnDialogStrings, kWarnOk), "确认");
    SetTextMode(TextMode::Traditional);
    EXPECT_EQ(FetchText(MainStrings, 7), "讀頻(&R)");
    EXPECT_EQ(FetchText(WarnDialogStrings, kWarnOk), "確認");
    SetTextMode(TextMode::English);
    EXPECT_EQ(FetchText(MainStrings, 7), "&Read from radio");
    EXPECT_EQ(FetchText(WarnDialogStrings, kWarnOk), "OK");
}

TEST(FetchText, ModeOutsideTheEnumReadsEnglish) {
    EXPECT_EQ(FetchText(MainStrings, 8, static_cast<TextMode>(0)), "&Write to radio");
    EXPECT_EQ(FetchText(MainStrings, 8, static_cast<TextMode>(7)), "&Write to radio");
}

TEST(FetchText, RowOutsideTheSetIsEmpty) {
    for (TextMode mode : {TextMode::English, TextMode::Simplified, TextMode::Traditional}) {
        for (int row : {-1, 271, 1000, INT_MIN, INT_MAX})
            EXPECT_EQ(FetchText(MainStrings, row, mode), "") << row;
        EXPECT_EQ(FetchText(ProgramDialogStrings, kProgramDialogRows, mode), "");
        EXPECT_EQ(FetchText(WarnDialogStrings, 1, mode), "");
        EXPECT_FALSE(FetchText(MainStrings, 270, mode).empty());  // the last row is in
    }
    EXPECT_EQ(FetchText(StringTableSet{}, 0, TextMode::Simplified), "");
}

}  // namespace
}  // namespace t604
