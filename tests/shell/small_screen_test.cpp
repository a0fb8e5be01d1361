// The main window on a real 640 x 480 screen (the offscreen platform given that screen): it opens
// maximised and scaled, and every control lies inside the screen.
#include "shell/main_window.h"
#include "ui/radio_group.h"
#include "ui/status_bar.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QListWidget>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace {

// The widgets of window that are shown and not inside the scrolled part of a scrolling control
// (those scroll into view).
QList<QWidget*> ShownControls(QWidget& window) {
    QList<QWidget*> shown;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || w->isWindow() || w->size().isEmpty())
            continue;
        bool scrolled = false;
        for (QWidget* p = w->parentWidget(); p && p != &window; p = p->parentWidget())
            if (auto* area = qobject_cast<QAbstractScrollArea*>(p->parentWidget()))
                scrolled = scrolled || area->viewport() == p;
        if (!scrolled)
            shown << w;
    }
    return shown;
}

} // namespace

// Unlike the other window tests this one brings its own main: the offscreen platform gets one
// 640 x 480 screen, whatever QT_QPA_PLATFORM said.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" KESTREL_SMALL_SCREEN_CONFIG);
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}

namespace {

TEST(SmallScreenTest, EveryControlOfTheMainWindowLiesInsideA640By480Screen) {
    QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_EQ(screen->geometry(), QRect(0, 0, 640, 480)) << "run with the small screen set up";
    QSettings(QStringLiteral("Norvane"), QStringLiteral("Quillmark")).clear();

    auto window = std::make_unique<TQueryFrm1>();
    window->RadioGroup1->setItems(
        {"information_schema", "lindora", "mysql", "performance_schema", "sys", "test"});
    window->ListBox1->addItems({"customers", "orders"});
    for (int i = 0; i < window->FRSB1->panelCount(); ++i)
        window->FRSB1->setPanelText(i, QStringLiteral("panel %1").arg(i));
    window->show();
    QApplication::processEvents();

    EXPECT_TRUE(window->scaledForSmallScreen());
    EXPECT_TRUE(window->isMaximized());
    const QRect area = screen->geometry();
    EXPECT_TRUE(area.contains(window->frameGeometry()))
        << window->frameGeometry().width() << " x " << window->frameGeometry().height();
    int checked = 0;
    for (QWidget* w : ShownControls(*window)) {
        const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
        EXPECT_TRUE(area.contains(r))
            << w->metaObject()->className() << " " << w->objectName().toStdString() << " at "
            << r.x() << "," << r.y() << " " << r.width() << " x " << r.height();
        ++checked;
    }
    EXPECT_GT(checked, 60); // the toolbar's buttons alone are 27
}

} // namespace
