#pragma once
// String-table texts for the widgets: rows fetched in the current language,
// as QString.

#include <QString>

#include "strings/string_table.h"

// The row of a set in the current text mode.
inline QString QtText(const t604::StringTableSet& set, int row) {
    const std::string_view text = t604::FetchText(set, row);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A row of the main table.
inline QString MainText(int row) { return QtText(t604::MainStrings, row); }
