// The string table sets of the programming, port, warning and adjustment
// dialogs. Each row is checked against its name at compile time.

#include "strings/dialog_strings.h"

#include <array>

#include "strings/table_rows.h"

namespace t604 {
namespace {

using table_rows::Column;
using table_rows::Row;
using table_rows::RowsAreNumbered;

constexpr std::array<Row, kProgramDialogRows> kProgramRows{{
    {kProgramStart, "Start", "开始", "開始"},
    {kProgramCancel, "Cancel", "取消", "取消"},
    {kCommunicationFalse, "Communication False", "无法连接", "無法連接"},
    {kSuccess, "SUCCESS", "成功", "成功"},
    {kPasswordError, "Password Error", "密码验证错误!", "密碼驗證錯誤!"},
    {kOldVersion, "Device is old version", "早期版本机子，不支持", "早期版本機子，不支持"},
    {kProgramReading, "Reading...", "正在读取...", "正在讀取..."},
    {kProgramWriting, "Writing...", "正在写入...", "正在寫入..."},
}};
static_assert(RowsAreNumbered(kProgramRows));

constexpr std::array<Row, kPortDialogRows> kPortRows{{
    {kPortOk, "OK", "确认", "確認"},
    {kPortCancel, "Cancel", "取消", "取消"},
    {kPortAutoSearch, "Auto search COM port", "自动查找通讯口", "自動查找通訊口"},
}};
static_assert(RowsAreNumbered(kPortRows));

constexpr std::array<Row, kWarnDialogRows> kWarnRows{{
    {kWarnOk, "OK", "确认", "確認"},
}};
static_assert(RowsAreNumbered(kWarnRows));

// Only English and Simplified Chinese: the Traditional table repeats the
// Simplified one.
constexpr std::array<Row, kAdjustmentDialogRows> kAdjustmentRows{{
    {kAdjustOk, "OK", "确认", {}},
    {kAdjustCancel, "Cancel", "取消", {}},
    {kAdjustHintRead, "Read the calibration data from the radio", "从对讲机读取校准数据", {}},
    {kAdjustHintWrite, "Write the calibration data to the radio", "将校准数据写入对讲机", {}},
    {kAdjustHintAllWrite, "Write the calibration data and the radio settings in one run",
     "一次写入校准数据和对讲机设置", {}},
    {kAdjustHintChipStatus, "Read the status of the transceiver chip (1846)",
     "读取收发芯片(1846)的状态", {}},
    {kAdjustHintNew, "Reset all adjustment data to the defaults", "将所有校准数据恢复为默认值", {}},
    {kAdjustHintOpen, "Open an adjustment file", "打开校准文件", {}},
    {kAdjustHintSave, "Save the adjustment data to a file", "将校准数据保存到文件", {}},
    {kAdjustHintFreqPoints, "Transmit power at each calibration frequency point (MHz)",
     "各校准频点(MHz)的发射功率", {}},
    {kAdjustHintBattery, "Battery voltage thresholds", "电池电压门限", {}},
    {kAdjustHintVox, "VOX thresholds of VOX levels 1 and 9", "声控1级和9级的门限", {}},
    {kAdjustHintSquelch, "Squelch thresholds of squelch levels 1, 5 and 9",
     "静噪1级、5级和9级的门限", {}},
    {kAdjustHintModuDetect, "Modulation detection on or off", "开启或关闭调制检测", {}},
    {kAdjustHintWeakSignalDetect, "Weak-signal detection on or off", "开启或关闭弱信号检测", {}},
    {kAdjustHintChipState, "Status of the transceiver chip, filled by the status read",
     "收发芯片的状态，由读取机子状态填入", {}},
    {kAdjustHintSqOffsets, "Squelch offset per frequency, -50 to +50",
     "各频率的静噪偏差，-50 到 +50", {}},
    {kAdjustHintChipSettings, "Deviation and gain settings of the transceiver chip",
     "收发芯片的频偏和增益设置", {}},
    {kAdjustHintChipVolume, "Chip volume value of each volume level", "各音量等级的芯片音量值", {}},
    {kAdjustHintXtal, "Reference crystal of the transceiver chip", "收发芯片的参考晶体", {}},
    {kAdjustHintLcdContrast, "Display contrast", "显示屏对比度", {}},
    {kAdjustHintCompare, "Comparison result of the chip: 1 = true, 0 = false",
     "芯片比较结果：1 = 成立，0 = 不成立", {}},
    {kAdjustOpenTitle, "Open", "打开", {}},
    {kAdjustSaveTitle, "Save", "保存", {}},
    {kAdjustClearAll, "Clear all data ?", "清除所有数据？", {}},
    {kAdjustFileFilter, "Corvo File(*.cvfa)", "Corvo File(*.cvfa)", {}},
    {kAdjustReplaceFile, "The file already exists. Replace it?", "文件已存在，是否替换？", {}},
    {kAdjustInvalidNumber, "'%1' is not a valid integer value", "“%1”不是有效的整数值", {}},
}};
static_assert(RowsAreNumbered(kAdjustmentRows));

constexpr auto kProgramEnglish = Column(kProgramRows, &Row::english);
constexpr auto kProgramSimplified = Column(kProgramRows, &Row::simplified);
constexpr auto kProgramTraditional = Column(kProgramRows, &Row::traditional);
constexpr auto kPortEnglish = Column(kPortRows, &Row::english);
constexpr auto kPortSimplified = Column(kPortRows, &Row::simplified);
constexpr auto kPortTraditional = Column(kPortRows, &Row::traditional);
constexpr auto kWarnEnglish = Column(kWarnRows, &Row::english);
constexpr auto kWarnSimplified = Column(kWarnRows, &Row::simplified);
constexpr auto kWarnTraditional = Column(kWarnRows, &Row::traditional);
constexpr auto kAdjustmentEnglish = Column(kAdjustmentRows, &Row::english);
constexpr auto kAdjustmentSimplified = Column(kAdjustmentRows, &Row::simplified);

}  // namespace

constinit const StringTableSet ProgramDialogStrings{kProgramEnglish, kProgramSimplified,
                                                    kProgramTraditional};
constinit const StringTableSet PortDialogStrings{kPortEnglish, kPortSimplified, kPortTraditional};
constinit const StringTableSet WarnDialogStrings{kWarnEnglish, kWarnSimplified, kWarnTraditional};
constinit const StringTableSet AdjustmentDialogStrings{kAdjustmentEnglish, kAdjustmentSimplified,
                                                       kAdjustmentSimplified};

}  // namespace t604
