#pragma once
// The open and save dialogs of the record files. The toolkit's own dialogs,
// not the desktop's, so that they behave alike everywhere and tests can
// answer them like any other modal dialog.

#include <QString>
#include <string_view>

class QWidget;

// A filter in the "description|pattern|description|pattern" form that the
// record files always used, in the toolkit's form: "Corvo File(*.Cvf)|*.Cvf"
// gives "Corvo File(*.Cvf)". A description without a pattern in brackets
// gets it appended.
QString ToolkitFilter(std::string_view filter);

// The chosen file, or an empty text when the user cancelled.
QString AskOpenFileName(QWidget* owner, const QString& title, std::string_view filter);
// Appends defaultSuffix to a name typed without one; asks before replacing
// an existing file.
QString AskSaveFileName(QWidget* owner, const QString& title, std::string_view filter,
                        const QString& defaultSuffix);
