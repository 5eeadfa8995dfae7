#include "ui/file_dialogs.h"

#include <QFileDialog>
#include <QStringList>

QString ToolkitFilter(std::string_view filter) {
    const QStringList parts = QString::fromUtf8(filter.data(), static_cast<qsizetype>(filter.size())).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        filters << (description.contains('(') ? description : description + " (" + pattern + ")");
    }
    return filters.join(";;");
}

namespace {

QString RunFileDialog(QWidget* owner, const QString& title, std::string_view filter, QFileDialog::AcceptMode mode,
                      const QString& defaultSuffix) {
    QFileDialog dialog(owner, title, QString(), ToolkitFilter(filter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // Files written on other systems are often named "*.cvf" or "*.CVF".
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString AskOpenFileName(QWidget* owner, const QString& title, std::string_view filter) {
    return RunFileDialog(owner, title, filter, QFileDialog::AcceptOpen, QString());
}

QString AskSaveFileName(QWidget* owner, const QString& title, std::string_view filter,
                        const QString& defaultSuffix) {
    return RunFileDialog(owner, title, filter, QFileDialog::AcceptSave, defaultSuffix);
}
