#include "admin/server_listings.h"
#include "ui/language.h"
#include "ui/long_message_box.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QTimer>

#include <gtest/gtest.h>

TEST(ServerListings, UptimeIsHoursMinutesSecondsWithAtLeastTwoDigits) {
    EXPECT_EQ(FormatUptime(0), QStringLiteral("00:00:00"));
    EXPECT_EQ(FormatUptime(59), QStringLiteral("00:00:59"));
    EXPECT_EQ(FormatUptime(60), QStringLiteral("00:01:00"));
    EXPECT_EQ(FormatUptime(3600), QStringLiteral("01:00:00"));
    EXPECT_EQ(FormatUptime(3725), QStringLiteral("01:02:05"));
    EXPECT_EQ(FormatUptime(36000), QStringLiteral("10:00:00"));
    EXPECT_EQ(FormatUptime(360000), QStringLiteral("100:00:00"));
}

TEST(ServerListings, StatusFormatsOnlyTheRowNamedExactlyUptime) {
    const std::vector<QStringList> rows = {
        {QStringLiteral("Aborted_clients"), QStringLiteral("0")},
        {QStringLiteral("Uptime"), QStringLiteral("3725")},
        {QStringLiteral("Uptime_since_flush_status"), QStringLiteral("3725")},
        {QStringLiteral("uptime"), QStringLiteral("12")},
    };
    EXPECT_EQ(StatusListing(rows), QStringLiteral("STATUS:\n\r"
                                                  "Aborted_clients: 0\n\r"
                                                  "Uptime: 01:02:05\n\r"
                                                  "Uptime_since_flush_status: 3725\n\r"
                                                  "uptime: 12\n\r"));
    EXPECT_EQ(VariablesListing({{QStringLiteral("Uptime"), QStringLiteral("5")}}),
              QStringLiteral("VARIABLES:\n\rUptime: 5\n\r"));
}

TEST(ServerListings, ProcessLineWithNullDatabaseAndStateInBothLanguages) {
    // Row values read through the client library: SQL NULL is empty text.
    const QStringList row = {QStringLiteral("12"),
                             QStringLiteral("admin"),
                             QStringLiteral("pc7"),
                             QString(),
                             QStringLiteral("Query"),
                             QStringLiteral("0"),
                             QString(),
                             QStringLiteral("SHOW processlist"),
                             QStringLiteral("0.000")};
    QAction english1;
    english1.setCheckable(true);
    english1.setChecked(true);
    setLanguageFlagItem(&english1);
    EXPECT_EQ(ProcessLine(row),
              QStringLiteral("Id: 12/ User: admin/ Host: pc7/ DB: / Command: "
                             "Query/ Time: 0/ State: / Info: SHOW processlist\n\r"));
    english1.setChecked(false);
    EXPECT_EQ(ProcessListing({row}),
              QStringLiteral("PROC:\n\rId: 12/ Korisnik: admin/ Host: pc7/ DB: / Komanda: Query/ "
                             "Vrijeme: 0/ Status: / Info: SHOW processlist\n\r"));
    setLanguageFlagItem(nullptr);
}

TEST(ServerListings, ALongListingScrollsWithEveryRowAndOneLineBreakPerLine) {
    std::vector<QStringList> rows;
    for (int i = 0; i < 1000; ++i)
        rows.push_back({QStringLiteral("variable_%1").arg(i), QString::number(i)});
    const QString text = VariablesListing(rows);
    EXPECT_TRUE(NeedsScrollingBox(text));
    EXPECT_FALSE(NeedsScrollingBox(QStringLiteral("Server info: x\n\rServer ver: y\n\r")));
    EXPECT_EQ(MessageBoxText(QStringLiteral("a\n\rb\n\r")), QStringLiteral("a\nb\n"));

    QStringList shownLines;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_NE(box, nullptr);
        if (auto* field = box->findChild<QPlainTextEdit*>(QStringLiteral("MessageText")))
            shownLines = field->toPlainText().split(QLatin1Char('\n'));
        qobject_cast<QDialog*>(box)->accept();
    });
    ShowScrollingMessage(nullptr, QStringLiteral("Kestrel"), QMessageBox::Information, text);
    ASSERT_EQ(shownLines.size(), 1002); // heading, 1000 rows, and the empty text after the last end
    EXPECT_EQ(shownLines[1000], QStringLiteral("variable_999: 999"));
}
