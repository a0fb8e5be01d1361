#include "browse_fixture.h"

#include <QPlainTextEdit>
#include <QTest>

void BrowseTest::SetMemo(const QStringList& lines) {
    window->Memo1->setPlainText(lines.join(QLatin1Char('\n')));
}

QStringList BrowseTest::MemoText() const {
    const QString text = window->Memo1->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
}

void BrowseTest::ShowWindowOn(const char* db) {
    ChooseRoot();
    ClickDatabase(db);
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ForgetPrompts();
}

void BrowseTest::TearDown() {
    if (window)
        window->hide();
    ServerWindowFixture::TearDown();
}
