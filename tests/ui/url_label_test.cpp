// The web-address label: what a click opens, "Copy", and the colour while pressed.
#include "support/scripted_prompts.h"
#include "ui/url_label.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include <gtest/gtest.h>

TEST(UrlLabel, ClickOpensUrlElseCaptionAndBlanksNothing) {
    RecordingLauncher launcher;
    TUrlLabel label;
    label.setText(QStringLiteral("kestrel.example.org"));
    label.Click();
    label.setURL(QStringLiteral("   "));
    label.Click();
    label.setURL(QStringLiteral(" https://kestrel.example.org/help "));
    label.Click();
    EXPECT_EQ(
        launcher.addresses,
        QStringList({QStringLiteral("kestrel.example.org"), QStringLiteral("kestrel.example.org"),
                     QStringLiteral("https://kestrel.example.org/help")}));

    launcher.addresses.clear();
    label.setText(QStringLiteral("  "));
    label.setURL(QString());
    label.Click();
    label.setText(QString());
    label.Click();
    EXPECT_TRUE(launcher.addresses.isEmpty());
}

TEST(UrlLabel, CopyPutsTheCaptionOnTheClipboard) {
    TUrlLabel label;
    label.setText(QStringLiteral("kestrel.example.org"));
    label.setURL(QStringLiteral("https://kestrel.example.org"));
    QGuiApplication::clipboard()->clear();
    label.Copy1->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("kestrel.example.org"));
}

TEST(UrlLabel, OnlyTheLeftButtonColoursAndClicks) {
    RecordingLauncher launcher;
    TUrlLabel label;
    label.setText(QStringLiteral("kestrel.example.org"));
    label.resize(120, 16);
    label.show();
    const QPoint inside(10, 8);

    QTest::mousePress(&label, Qt::RightButton, {}, inside);
    EXPECT_EQ(label.fontColor(), QColor(0, 0, 255));
    QTest::mouseRelease(&label, Qt::RightButton, {}, inside);
    QTest::mousePress(&label, Qt::MiddleButton, {}, inside);
    EXPECT_EQ(label.fontColor(), QColor(0, 0, 255));
    QTest::mouseRelease(&label, Qt::MiddleButton, {}, inside);
    EXPECT_TRUE(launcher.addresses.isEmpty());

    label.setActiveColor(QColor(255, 0, 0));
    QTest::mousePress(&label, Qt::LeftButton, {}, inside);
    EXPECT_EQ(label.fontColor(), QColor(255, 0, 0));
    QTest::mouseRelease(&label, Qt::LeftButton, {}, inside);
    EXPECT_EQ(label.fontColor(), QColor(0, 0, 255));
    EXPECT_EQ(launcher.addresses, QStringList{QStringLiteral("kestrel.example.org")});

    // Released outside the label: the colour comes back, nothing opens.
    QTest::mousePress(&label, Qt::LeftButton, {}, inside);
    QTest::mouseRelease(&label, Qt::LeftButton, {}, QPoint(500, 8));
    EXPECT_EQ(label.fontColor(), QColor(0, 0, 255));
    EXPECT_EQ(launcher.addresses.size(), 1);
}
