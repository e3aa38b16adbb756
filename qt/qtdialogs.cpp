#include "tolvex/qt/qtdialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>

#include "tolvex/qt/qttext.h"

namespace tolvex::qt {

namespace {

// Qt's own file dialog (not the desktop's), so that it looks and behaves alike everywhere.
bool RunFileDialog(TOpenDialog& dialog, QFileDialog::AcceptMode mode) {
    QFileDialog files(QApplication::activeWindow(), ToQString(dialog.Title()), ToQString(dialog.InitialDir()));
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(mode);
    files.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    QStringList filters;
    for (const auto& entry : dialog.FilterEntries())
        filters << ToQString(entry.description) + QStringLiteral(" (") + ToQString(entry.mask).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                       QLatin1Char(')');
    if (!filters.isEmpty()) {
        files.setNameFilters(filters);
        files.selectNameFilter(filters.value(dialog.FilterIndex() - 1, filters.front()));
    }
    if (!dialog.FileName().empty()) files.selectFile(ToQString(dialog.FileName()));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty()) return false;
    dialog.SetFileName(files.selectedFiles().front().toStdString());
    return true;
}

}  // namespace

bool TQtDialogProvider::ExecuteOpen(TOpenDialog& dialog) { return RunFileDialog(dialog, QFileDialog::AcceptOpen); }

bool TQtDialogProvider::ExecuteSave(TSaveDialog& dialog) { return RunFileDialog(dialog, QFileDialog::AcceptSave); }

bool TQtDialogProvider::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    QInputDialog input(QApplication::activeWindow());
    input.setWindowTitle(ToQString(caption));
    input.setLabelText(ToQString(prompt));
    input.setTextValue(ToQString(value));
    if (input.exec() != QDialog::Accepted) return false;
    value = FromQString(input.textValue());
    return true;
}

}  // namespace tolvex::qt
