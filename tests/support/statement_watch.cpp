#include "support/statement_watch.h"

#include "ui/statement_runner.h"

#include <QEvent>
#include <QPushButton>
#include <QTest>
#include <QWidget>

namespace {
constexpr int kTickMs = 20;
} // namespace

StatementWatch::StatementWatch(QWidget* window, OnProgress action)
    : window_(window), action_(action) {
    window_->installEventFilter(this);
    QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    timer_.start(kTickMs);
}

StatementWatch::~StatementWatch() {
    window_->removeEventFilter(this);
}

bool StatementWatch::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::Paint)
        ++paints;
    return QObject::eventFilter(watched, event);
}

void StatementWatch::Tick() {
    ++ticks;
    window_->update();
    QWidget* progress = StatementRunner::ProgressWindow();
    if (!progress || progressShown)
        return;
    progressShown = true;
    auto* stop = progress->findChild<QPushButton*>(QStringLiteral("stopButton"));
    stopEnabled = stop && stop->isEnabled();
    sinceAction_.start();
    switch (action_) {
    case OnProgress::Stop:
        if (stop)
            stop->click();
        break;
    case OnProgress::PressEscape:
        QTest::keyClick(progress, Qt::Key_Escape);
        break;
    case OnProgress::CloseWindow:
        window_->close();
        break;
    case OnProgress::Nothing:
        sinceAction_.invalidate();
        break;
    }
}

void StatementWatch::CommandEnded() {
    timer_.stop();
    if (sinceAction_.isValid())
        endedAfterAction_ = sinceAction_.elapsed();
}

qint64 StatementWatch::EndedAfterActionMs() const {
    return endedAfterAction_;
}
