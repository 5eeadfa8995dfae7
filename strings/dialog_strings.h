#pragma once
// The small string table sets of the dialogs that have their own, with their
// rows named. Fetch the texts with FetchText (strings/string_table.h).

#include "strings/string_table.h"

namespace t604 {

// TProgramDialog: its two buttons, the four ends of a programming run and
// the running text of its progress bar.
enum ProgramDialogRow : int {
    kProgramStart,        // "Start"
    kProgramCancel,       // "Cancel"
    kCommunicationFalse,  // "Communication False": time-out, wrong reply, port not opened
    kSuccess,             // "SUCCESS"
    kPasswordError,       // "Password Error"
    kOldVersion,          // "Device is old version"
    kProgramReading,      // "Reading...": shown while a read runs
    kProgramWriting,      // "Writing...": shown while a write runs
    kProgramDialogRows
};
extern const StringTableSet ProgramDialogStrings;

// TCommunicationPort.
enum PortDialogRow : int {
    kPortOk,          // "OK"
    kPortCancel,      // "Cancel"
    kPortAutoSearch,  // "Auto search COM port"
    kPortDialogRows
};
extern const StringTableSet PortDialogStrings;

// TUserWarnDlg.
enum WarnDialogRow : int {
    kWarnOk,  // "OK"
    kWarnDialogRows
};
extern const StringTableSet WarnDialogStrings;

// TAdjustmentDlg. Its captions are fixed Simplified Chinese in every
// language; what follows the language is the confirmation of New, the file
// dialogs, the invalid-number message and the hints of its buttons and
// groups. The Traditional table holds the Simplified texts.
enum AdjustmentDialogRow : int {
    kAdjustOk,                    // "OK": button of the New confirmation
    kAdjustCancel,                // "Cancel"
    kAdjustHintRead,              // hint of "读取"
    kAdjustHintWrite,             // hint of "写入"
    kAdjustHintAllWrite,          // hint of "全写"
    kAdjustHintChipStatus,        // hint of "读取机子状态"
    kAdjustHintNew,               // hint of "新建"
    kAdjustHintOpen,              // hint of "打开"
    kAdjustHintSave,              // hint of "保存"
    kAdjustHintFreqPoints,        // hint of the frequency-point group
    kAdjustHintBattery,           // hint of the battery group
    kAdjustHintVox,               // hint of the VOX group
    kAdjustHintSquelch,           // hint of the squelch group
    kAdjustHintModuDetect,        // hint of "Modu signal"
    kAdjustHintWeakSignalDetect,  // hint of "弱信号"
    kAdjustHintChipState,         // hint of " 机子状态 "
    kAdjustHintSqOffsets,         // hint of " SQ偏差"
    kAdjustHintChipSettings,      // hint of "1846设置"
    kAdjustHintChipVolume,        // hint of "1846音量"
    kAdjustHintXtal,              // hint of "1846温补"
    kAdjustHintLcdContrast,       // hint of "LCD对比度"
    kAdjustHintCompare,           // hint of the "比较结果" values
    kAdjustOpenTitle,             // "Open": title of the open-file dialog
    kAdjustSaveTitle,             // "Save": title of the save-file dialog
    kAdjustClearAll,              // "Clear all data ?": the New confirmation
    kAdjustFileFilter,            // "Corvo File(*.cvfa)": filter of both file dialogs
    kAdjustReplaceFile,           // overwrite question of the save dialog
    kAdjustInvalidNumber,         // "'%1' is not a valid integer value"; %1 is the typed text
    kAdjustmentDialogRows
};
extern const StringTableSet AdjustmentDialogStrings;

}  // namespace t604
