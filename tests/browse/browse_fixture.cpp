#include "browse_fixture.h"

#include <QPlainTextEdit>

void BrowseTest::SetMemo(const QStringList& lines) {
    window->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList BrowseTest::MemoText() const {
    const QString text = window->Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}
