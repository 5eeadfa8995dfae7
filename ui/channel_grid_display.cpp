// TForm1: the channel rows of StringGrid1, drawn from the record. A row's
// state is entirely the record's; the grid holds only its texts.

#include "model/freq_codec.h"
#include "model/program_state.h"
#include "model/tone_codec.h"
#include "ui/app_settings.h"
#include "ui/main_window.h"
#include "ui/qt_text.h"
#include "ui/string_grid.h"

using namespace t604;

void TForm1::StringGridUpdataRow(int row) {
    if (!softwareData.IsChannelUsed(row)) {
        StringGridCleanRow(row);
        return;
    }
    const ConstChannelRecord channel = std::as_const(softwareData).channel(row);
    const QString texts[] = {
        QString::fromStdString(FreqToText(channel.FreqRx())),
        QString::fromStdString(FreqToText(channel.FreqTx())),
        QString::fromStdString(ToneToText(channel.SubDe())),
        QString::fromStdString(ToneToText(channel.SubEn())),
        MainText(channel.Power() ? 26 : 27),
        MainText(channel.Bandwidth() ? 28 : 29),
        MainText(channel.SCN() ? 30 : 31),
        MainText(channel.BUS() != 0 ? 33 : 32),  // either busy-lock bit means carrier lock-out
    };
    for (int col = 1; col < kChannelGridColumns; ++col) StringGrid1->setCells(col, row, texts[col - 1]);
}

void TForm1::StringGridCleanRow(int row) {
    for (int col = 1; col < kChannelGridColumns; ++col) StringGrid1->setCells(col, row, QString());
    softwareData.SetChannelUsed(row, false);
}
