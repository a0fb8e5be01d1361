// The progress of a database dump: "Tables done: n of m", with a Cancel button.
#pragma once

#include <QProgressDialog>

class DumpProgress {
public:
    DumpProgress(QWidget* window, int tables);
    // Shows that done tables are written and lets pending messages be processed. False once the
    // operator cancelled.
    bool Advance(int done);
    bool Cancelled() const { return dialog_.wasCanceled(); }

private:
    QString Text(int done) const;

    QProgressDialog dialog_;
    int tables_;
};
