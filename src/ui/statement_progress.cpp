#include "ui/statement_progress.h"

#include "ui/language.h"
#include "ui/object_names.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kTickMs = 100;
} // namespace

StatementProgress::StatementProgress(QWidget* parent, const QElapsedTimer& running,
                                     std::function<bool()> stop)
    : QDialog(parent), running_(running), stopStatement_(std::move(stop)),
      elapsed_(Named(new QLabel(this), "elapsedLabel")),
      stop_(Named(new QPushButton(this), "stopButton")) {
    setObjectName(QStringLiteral("statementProgress"));
    setWindowModality(Qt::ApplicationModal);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    elapsed_->setTextFormat(Qt::PlainText);
    elapsed_->setMinimumWidth(220);
    stop_->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(stop_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(elapsed_);
    layout->addLayout(buttons);
    connect(stop_, &QPushButton::clicked, this, &StatementProgress::requestStop);
    connect(&ticker_, &QTimer::timeout, this, &StatementProgress::showElapsed);
    ticker_.start(kTickMs);
    retranslateUi();
    showElapsed();
}

void StatementProgress::retranslateUi() {
    setWindowTitle(tr("Running"));
    stop_->setText(tr("Stop"));
    stop_->setAccessibleName(tr("Stop"));
}

void StatementProgress::requestStop() {
    if (stopping_)
        return;
    stopping_ = stopStatement_ && stopStatement_();
    stop_->setEnabled(!stopping_);
    showElapsed();
}

void StatementProgress::stopFailed() {
    stopping_ = false;
    stop_->setEnabled(true);
    showElapsed();
}

void StatementProgress::reject() {
    requestStop(); // Escape stops the statement; the window goes when the statement has ended
}

void StatementProgress::closeEvent(QCloseEvent* event) {
    requestStop();
    event->ignore();
}

void StatementProgress::showElapsed() {
    const QString seconds = QString::number(double(running_.elapsed()) / 1000.0, 'f', 1);
    const QString text = stopping_ ? BiText(QStringLiteral("Stopping the statement... %1 s"),
                                            QStringLiteral("Zaustavljanje naredbe... %1 s"))
                                   : BiText(QStringLiteral("The statement is running: %1 s"),
                                            QStringLiteral("Naredba se izvodi: %1 s"));
    elapsed_->setText(text.arg(seconds));
    elapsed_->setAccessibleName(elapsed_->text());
}
