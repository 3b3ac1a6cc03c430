#include "ui/frmProgress.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace kelvaro {

namespace {
// A repaint costs far more than an item of any operation; the bar is brought up to date at most
// this often, which is still smooth to the eye.
constexpr qint64 kPaintIntervalMs = 33;

void PaintPending() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }
} // namespace

frmProgress::frmProgress(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), main_(mainWindow) {
    setObjectName("frmProgress");
    setWindowTitle("Kelvaro");
    setWindowModality(Qt::NonModal);

    lblMessage = new QLabel("Generating M.A.M.E. INI files, please wait...", this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setAlignment(Qt::AlignCenter);
    prgMain = new QProgressBar(this);
    prgMain->setObjectName("prgMain");
    prgMain->setTextVisible(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(lblMessage);
    layout->addWidget(prgMain);
    setFixedSize(360, 96);
}

void frmProgress::Begin(const std::string& text, int count) {
    if (count < 0) {
        prgMain->setVisible(false);
    } else {
        prgMain->setRange(0, count);
        prgMain->setVisible(true);
    }
    prgMain->setValue(0);
    lblMessage->setText(QString::fromStdString(text));

    if (main_) main_->setEnabled(false);
    // Disabling the main window disables its child windows too; this one must stay drawn as live.
    setEnabled(true);
    if (main_ && !isVisible()) {
        const QRect r = main_->geometry();
        move(r.center() - QPoint(width() / 2, height() / 2));
    }
    show();
    raise();
    Form_Activate();
    PaintPending();
    sincePaint_.start();
}

void frmProgress::Step(int i) {
    if (sincePaint_.isValid() && sincePaint_.elapsed() < kPaintIntervalMs && i < prgMain->maximum()) return;
    prgMain->setValue(i);
    PaintPending();
    sincePaint_.restart();
}

void frmProgress::End() {
    if (main_) main_->setEnabled(true);
    hide();
    if (main_) {
        // Hand the activation back to the main window, whose activation brings the arrow back.
        // Without a window manager that activation may never come, so it is not waited for.
        if (main_->isVisible()) main_->activateWindow();
        main_->unsetCursor();
    }
    PaintPending();
}

void frmProgress::Pump() { PaintPending(); }

void frmProgress::Form_Activate() {
    if (main_) main_->setCursor(Qt::WaitCursor);
}

bool frmProgress::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QWidget::event(e);
}

void ProgressOnDemand::Begin(const std::string& text, int count) {
    target_ = &make_();
    target_->Begin(text, count);
}

void ProgressOnDemand::Step(int i) {
    if (target_) target_->Step(i);
}

void ProgressOnDemand::End() {
    if (target_) target_->End();
}

void ProgressOnDemand::Pump() {
    if (target_) target_->Pump();
}

} // namespace kelvaro
