#include "ui/Dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace kelvaro {

namespace {

const QString kTitle = QStringLiteral("Kelvaro");

QMessageBox::Icon BoxIcon(Dialogs::Icon icon) {
    switch (icon) {
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: break;
    }
    return QMessageBox::Warning;
}

} // namespace

bool QtDialogs::Ask(QWidget* parent, const QString& text, Icon icon) {
    QMessageBox box(BoxIcon(icon), kTitle, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::AskOrCancel(QWidget* parent, const QString& text, Icon icon) {
    QMessageBox box(BoxIcon(icon), kTitle, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void QtDialogs::Tell(QWidget* parent, const QString& text, Icon icon) {
    QMessageBox box(BoxIcon(icon), kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> QtDialogs::InputBox(QWidget* parent, const QString& prompt, const QString& title,
                                           const QString& preset) {
    QInputDialog box(parent);
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setInputMode(QInputDialog::TextInput);
    box.setTextValue(preset);
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return box.textValue();
}

namespace {

std::optional<QString> FileDialog(QWidget* parent, const QString& title, const QString& filter,
                                  const QString& defaultSuffix, const QString& fileName, bool save) {
    QFileDialog box(parent, title);
    box.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    box.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save) box.setOption(QFileDialog::DontConfirmOverwrite);
    box.setNameFilter(filter);
    if (!defaultSuffix.isEmpty()) box.setDefaultSuffix(defaultSuffix);
    if (!fileName.isEmpty()) {
        const QFileInfo preset(fileName);
        // A preset with a folder opens there; a bare name is offered in the folder last shown.
        if (preset.isAbsolute()) box.setDirectory(preset.absolutePath());
        box.selectFile(preset.fileName());
    }
    if (box.exec() != QDialog::Accepted || box.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(box.selectedFiles().constFirst());
}

} // namespace

std::optional<QString> QtDialogs::OpenFile(QWidget* parent, const QString& title, const QString& filter,
                                           const QString& defaultSuffix, const QString& fileName) {
    return FileDialog(parent, title, filter, defaultSuffix, fileName, false);
}

std::optional<QString> QtDialogs::SaveFile(QWidget* parent, const QString& title, const QString& filter,
                                           const QString& defaultSuffix, const QString& fileName) {
    return FileDialog(parent, title, filter, defaultSuffix, fileName, true);
}

QString QtDialogs::BrowseForFolder(QWidget* parent, const QString& title, const QString& startFolder) {
    const QString folder = QFileDialog::getExistingDirectory(parent, title, startFolder, QFileDialog::ShowDirsOnly);
    return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}

} // namespace kelvaro
