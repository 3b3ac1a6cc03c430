#include "ui/frmImportModes.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/Outcome.h"
#include "core/Text.h"
#include "modes/DisplayRead.h"
#include "platform/Files.h"
#include "ui/Dialogs.h"
#include "ui/QtText.h"
#include "ui/ScreenFit.h"

namespace kelvaro {

frmImportModes::frmImportModes(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("frmImportModes"));
    setWindowTitle(QStringLiteral("Import Mode List"));

    lblSource = Named(new QLabel(this), "lblSource");
    lblSource->setTextFormat(Qt::PlainText);
    cmdFile = Named(new QPushButton(QStringLiteral("Choose &File..."), this), "cmdFile");
    cmdDisplay = Named(new QPushButton(QStringLiteral("From This &Display"), this), "cmdDisplay");
#ifdef _WIN32
    cmdDisplay->setEnabled(false);
#else
    // xrandr asks the X display; without one there is nothing to ask.
    cmdDisplay->setEnabled(!qEnvironmentVariableIsEmpty("DISPLAY"));
#endif
    txtOutput = Named(new QLineEdit(this), "txtOutput");
    txtOutput->setPlaceholderText(QStringLiteral("every connected output"));
    spnRate = Named(new QSpinBox(this), "spnRate");
    spnRate->setRange(1, 99);
    spnRate->setValue(60);
    spnRate->setSuffix(QStringLiteral(" Hz"));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    txtModes = Named(new QPlainTextEdit(this), "txtModes");
    txtNotes = Named(new QPlainTextEdit(this), "txtNotes");
    for (QPlainTextEdit* text : {txtModes, txtNotes}) {
        text->setReadOnly(true);
        text->setLineWrapMode(QPlainTextEdit::NoWrap);
    }
    txtModes->setFont(fixed);
    cmdSave = Named(new QPushButton(QStringLiteral("&Save As..."), this), "cmdSave");
    cmdSave->setDefault(true);
    cmdCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "cmdCancel");

    auto* source = new QHBoxLayout;
    source->addWidget(lblSource, 1);
    source->addWidget(cmdFile);
    source->addWidget(cmdDisplay);
    auto* options = new QGridLayout;
    auto* outputLabel = new QLabel(QStringLiteral("xrandr &output:"), this);
    outputLabel->setBuddy(txtOutput);
    auto* rateLabel = new QLabel(QStringLiteral("&Rate of mode names without one:"), this);
    rateLabel->setBuddy(spnRate);
    options->addWidget(outputLabel, 0, 0);
    options->addWidget(txtOutput, 0, 1);
    options->addWidget(rateLabel, 1, 0);
    options->addWidget(spnRate, 1, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    auto* form = new QVBoxLayout(this);
    form->addLayout(source);
    form->addLayout(options);
    form->addWidget(new QLabel(QStringLiteral("The mode list to write:"), this));
    form->addWidget(txtModes, 3);
    form->addWidget(new QLabel(QStringLiteral("Notes:"), this));
    form->addWidget(txtNotes, 1);
    form->addLayout(buttons);
    resize(640, 520);
    FitOnEveryShowing(this);

    connect(cmdFile, &QPushButton::clicked, this, &frmImportModes::cmdFile_Click);
    connect(cmdDisplay, &QPushButton::clicked, this, &frmImportModes::cmdDisplay_Click);
    connect(txtOutput, &QLineEdit::editingFinished, this, &frmImportModes::Reimport);
    connect(spnRate, &QSpinBox::valueChanged, this, &frmImportModes::Reimport);
    connect(cmdSave, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<frmImportModes::Chosen> frmImportModes::Choose() {
    SetSource({}, {});
    if (exec() != QDialog::Accepted || import_.Modes.empty()) return std::nullopt;
    return Chosen{import_, origin_};
}

void frmImportModes::cmdFile_Click() {
    const std::optional<QString> file =
        dialogs_.OpenFile(this, "Select the Modes to Import", "Text Files (*.txt);;All Files (*)", "txt", QString());
    if (!file || file->isEmpty()) return;
    std::error_code error;
    const std::optional<std::string> bytes = ReadWholeFile(file->toStdString(), &error);
    if (!bytes) {
        dialogs_.Tell(this, QtText(ReadFailure(file->toStdString(), error).Reason()) + ".", Dialogs::Icon::Warning);
        return;
    }
    SetSource(*bytes, file->toStdString());
}

void frmImportModes::cmdDisplay_Click() {
    Result<std::string> output = AskXrandr([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
    if (!output) {
        dialogs_.Tell(this, QtText(output.Reason()) + ".", Dialogs::Icon::Warning);
        return;
    }
    SetSource(std::move(*output), "this display (" + qEnvironmentVariable("DISPLAY").toStdString() + ")");
}

void frmImportModes::SetSource(std::string text, std::string origin) {
    text_ = std::move(text);
    origin_ = std::move(origin);
    Reimport();
}

void frmImportModes::Reimport() {
    const ImportOptions options{txtOutput->text().trimmed().toStdString(), double(spnRate->value())};
    import_ = origin_.empty() ? ModeImport{} : ImportModeList(text_, options);
    lblSource->setText(origin_.empty() ? QStringLiteral("Modes from: nothing chosen yet")
                                       : "Modes from: " + QtText(PrintableText(origin_)));
    txtModes->setPlainText(origin_.empty() ? QString() : QtText(FormatModeList(import_, origin_)).remove('\r'));
    QStringList notes;
    for (const ImportNote& note : import_.Notes) notes << QtText(NoteText(note));
    txtNotes->setPlainText(notes.join('\n'));
    cmdSave->setEnabled(!import_.Modes.empty());
}

} // namespace kelvaro
