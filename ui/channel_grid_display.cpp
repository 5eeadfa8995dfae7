// TForm1: the channel rows of StringGrid1, drawn from the record. A row's
// state is entirely the record's; the grid holds only its texts.

#include "model/program_state.h"
#include "strings/channel_cells.h"
#include "ui/app_settings.h"
#include "ui/main_window.h"
#include "ui/string_grid.h"

using namespace t604;

void TForm1::StringGridUpdataRow(int row) {
    if (!softwareData.IsChannelUsed(row)) {
        StringGridCleanRow(row);
        return;
    }
    const auto texts = ChannelCellTexts(std::as_const(softwareData).channel(row), CurrentTextMode());
    for (int col = 1; col < kChannelGridColumns; ++col)
        StringGrid1->setCells(col, row, QString::fromStdString(texts[col - 1]));
}

void TForm1::StringGridCleanRow(int row) {
    for (int col = 1; col < kChannelGridColumns; ++col) StringGrid1->setCells(col, row, QString());
    softwareData.SetChannelUsed(row, false);
}
