#include "ui/frmProgress.h"

#include "ui/ScreenFit.h"
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace kelvaro {

namespace {
// A repaint costs far more than an item of any operation; the bar is brought up to date at most
// this often, which is still smooth to the eye.
constexpr qint64 kPaintIntervalMs = 33;

void PaintPending() { InputHold::Pump(); }
} // namespace

void CountingBar::SetRunning(bool running) {
    running_ = running;
    done_ = 0;
    setTextVisible(running);
}

void CountingBar::Count(int done) {
    done_ = done;
    update();
}

QString CountingBar::text() const { return running_ ? QLocale().toString(done_) : QProgressBar::text(); }

frmProgress::frmProgress(QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), main_(mainWindow) {
    setObjectName("frmProgress");
    setWindowTitle("Kelvaro");
    setWindowModality(Qt::NonModal);

    lblMessage = new QLabel("Generating M.A.M.E. INI files, please wait...", this);
    lblMessage->setObjectName("lblMessage");
    lblMessage->setAlignment(Qt::AlignCenter);
    prgMain = new CountingBar(this);
    prgMain->setObjectName("prgMain");
    prgMain->setTextVisible(false);
    lblWhy = new QLabel(this);
    lblWhy->setObjectName("lblWhy");
    lblWhy->setAlignment(Qt::AlignCenter);
    lblWhy->setWordWrap(true);
    lblWhy->hide();
    cmdEnd = new QPushButton(this);
    cmdEnd->setObjectName("cmdEnd");
    cmdEnd->hide();
    connect(cmdEnd, &QPushButton::clicked, this, [this] {
        endRequested_ = true;
        cmdEnd->setEnabled(false); // once is enough; the operation ends at its next look
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(lblMessage);
    layout->addWidget(prgMain);
    layout->addWidget(lblWhy);
    layout->addWidget(cmdEnd, 0, Qt::AlignHCenter);
    FitHeight();
    FitOnEveryShowing(this);
}

void frmProgress::FitHeight() {
    // The height without an offer is the design's; an offer adds its rows.
    setFixedSize(360, std::max(96, layout()->sizeHint().height()));
}

void frmProgress::Begin(const std::string& text, int count) {
    if (!hold_) hold_.emplace();
    endRequested_ = false;
    OfferEnd({}, {});
    prgMain->SetRunning(count == kRunningCount);
    prgMain->setVisible(count >= 0 || count == kRunningCount);
    prgMain->setRange(0, std::max(count, 0)); // no total: the bar shows that work goes on
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

void frmProgress::Step(int item) {
    const int total = prgMain->maximum();
    if (sincePaint_.isValid() && sincePaint_.elapsed() < kPaintIntervalMs && (item != total || total == 0)) return;
    if (total == 0) {
        prgMain->Count(item);
    } else {
        if (item > total) prgMain->setMaximum(item);
        prgMain->setValue(item);
    }
    PaintPending();
    sincePaint_.restart();
}

void frmProgress::End() {
    OfferEnd({}, {});
    // The input of the operation's time is dropped before the main window takes input again.
    hold_.reset();
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

void frmProgress::OfferEnd(const std::string& why, const std::string& caption) {
    const bool offered = !caption.empty();
    if (!offered && cmdEnd->isHidden()) return; // nothing offered, nothing to take back
    lblWhy->setText(QString::fromStdString(why));
    cmdEnd->setText(QString::fromStdString(caption));
    cmdEnd->setEnabled(!endRequested_);
    lblWhy->setVisible(offered);
    cmdEnd->setVisible(offered);
    InputHold::Admit(offered ? this : nullptr);
    FitHeight();
    PaintPending();
}

void frmProgress::Form_Activate() {
    if (main_) main_->setCursor(Qt::WaitCursor);
}

void frmProgress::closeEvent(QCloseEvent* e) { e->ignore(); }

bool frmProgress::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QWidget::event(e);
}

void ProgressOnDemand::Begin(const std::string& text, int count) {
    target_ = &make_();
    target_->Begin(text, count);
}

void ProgressOnDemand::Step(int item) {
    if (target_) target_->Step(item);
}

void ProgressOnDemand::End() {
    if (target_) target_->End();
}

void ProgressOnDemand::Pump() {
    if (target_) target_->Pump();
}

void ProgressOnDemand::OfferEnd(const std::string& why, const std::string& caption) {
    if (target_) target_->OfferEnd(why, caption);
}

bool ProgressOnDemand::EndRequested() { return target_ && target_->EndRequested(); }

} // namespace kelvaro
