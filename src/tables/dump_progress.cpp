#include "tables/dump_progress.h"

#include "ui/language.h"
#include "ui/prompts.h"

namespace {
// A dump of a few tables ends before a window would be worth showing.
constexpr int kShowAfterMs = 400;
} // namespace

DumpProgress::DumpProgress(QWidget* window, int tables) : dialog_(window), tables_(tables) {
    dialog_.setObjectName(QStringLiteral("dumpProgress"));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setAutoClose(false);
    dialog_.setAutoReset(false);
    dialog_.setMinimumDuration(kShowAfterMs);
    dialog_.setCancelButtonText(BiText(QStringLiteral("Cancel"), QStringLiteral("Odustani")));
    dialog_.setRange(0, tables);
    dialog_.setLabelText(Text(0));
    dialog_.setValue(0);
}

bool DumpProgress::Advance(int done) {
    dialog_.setLabelText(Text(done));
    dialog_.setValue(done);
    prompts().processEvents();
    return !dialog_.wasCanceled();
}

QString DumpProgress::Text(int done) const {
    return BiText(QStringLiteral("Tables done: %1 of %2"),
                  QStringLiteral("Gotovo tablica: %1 od %2"))
        .arg(done)
        .arg(tables_);
}
