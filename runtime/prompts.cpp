#include "runtime/prompts.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace pexor {
namespace {

QMessageBox::Icon iconOf(int flags) {
    switch (flags & 0xF0) {
        case box::kIconError: return QMessageBox::Critical;
        case box::kIconQuestion: return QMessageBox::Question;
        case box::kIconExclamation: return QMessageBox::Warning;
        case box::kIconInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButtons buttonsOf(int flags) {
    switch (flags & 0x0F) {
        case box::kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
        case 2: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case box::kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case box::kYesNo: return QMessageBox::Yes | QMessageBox::No;
        case 5: return QMessageBox::Retry | QMessageBox::Cancel;
        default: return QMessageBox::Ok;
    }
}

int resultOf(int button) {
    switch (button) {
        case QMessageBox::Cancel: return box::kResultCancel;
        case QMessageBox::Abort: return 2;
        case QMessageBox::Retry: return 3;
        case QMessageBox::Ignore: return 4;
        case QMessageBox::Yes: return box::kResultYes;
        case QMessageBox::No: return box::kResultNo;
        default: return box::kResultOk;
    }
}

}  // namespace

std::string qtNameFilters(const std::string& filter) {
    const QStringList items = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < items.size(); i += 2) {
        QStringList patterns = items[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        // "*.*" means every file, with or without an extension.
        for (QString& p : patterns)
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        out << items[i] + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                   QLatin1Char(')');
    }
    return out.join(QStringLiteral(";;")).toStdString();
}

int QtPrompts::messageBox(const std::string& text, int flags, const std::string& caption) {
    QMessageBox box(iconOf(flags), QString::fromStdString(caption), QString::fromStdString(text),
                    buttonsOf(flags));
    // Task-modal: no owner, and the application's windows wait for it.
    box.setWindowModality(Qt::ApplicationModal);
    return resultOf(box.exec());
}

bool QtPrompts::runFileDialog(FileDialogSettings& settings, QWidget* owner) {
    QFileDialog dialog(owner);
    const bool save = settings.type == FileDialogSettings::Save;
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Open takes an existing file only; save asks before replacing a file.
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(
        QString::fromStdString(qtNameFilters(settings.filter)).split(QStringLiteral(";;")));
    if (!settings.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(settings.defaultExtension));
    if (!settings.fileName.empty()) dialog.selectFile(QString::fromStdString(settings.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    settings.fileName = dialog.selectedFiles().first().toStdString();
    // The dialog may change the current directory, as the original one did.
    QDir::setCurrent(QFileInfo(dialog.selectedFiles().first()).absolutePath());
    return true;
}

}  // namespace pexor
