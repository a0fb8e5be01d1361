// The main window's handlers of the browser and the query editor, and the mouse events of
// ListBox1 and Memo1 they hang on. Commands run unless another command is running (see
// CommandGuard).
#include "browse/query_editor.h"
#include "browse/table_browser.h"
#include "shell/main_window.h"
#include "ui/radio_group.h"

#include <QEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>

namespace {

// Routes the right button pressed on ListBox1 and the double click on Memo1 to the window.
class BrowserMouseEvents : public QObject {
public:
    BrowserMouseEvents(TQueryFrm1& window, const QObject* tables, const QObject* memo)
        : QObject(&window), window_(window), tables_(tables), memo_(memo) {}

    // Events also reach the filter while the window is being taken apart, so the watched objects
    // are only compared with the ones it was installed on, never reached through the window.
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == tables_ && event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            window_.ListBox1MouseDown(mouse->button(), mouse->position().toPoint());
        } else if (watched == memo_ && event->type() == QEvent::MouseButtonDblClick) {
            window_.Memo1DblClick();
            return true; // the text may have been replaced: no word to select
        }
        return false;
    }

private:
    TQueryFrm1& window_;
    const QObject* tables_;
    const QObject* memo_;
};

} // namespace

void TQueryFrm1::ConnectBrowserEvents() {
    auto* events = new BrowserMouseEvents(*this, ListBox1->viewport(), Memo1->viewport());
    ListBox1->viewport()->installEventFilter(events);
    Memo1->viewport()->installEventFilter(events);
    connect(RadioGroup1, &TRadioGroup::clicked, this, &TQueryFrm1::RadioGroup1Click);
    connect(ListBox1, &QListWidget::itemClicked, this, &TQueryFrm1::ListBox1Click);
    // The status bar names the selected table also when the selection moved by keys or by the
    // right button.
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, &TQueryFrm1::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TQueryFrm1::ListBox1DblClick);
    connect(ListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1->popup(ListBox1->viewport()->mapToGlobal(pos));
    });
}

// A database chosen: its tables are listed.
void TQueryFrm1::RadioGroup1Click() {
    RunCommand(&LoadTableList);
}
// A table chosen: the status bar names it.
void TQueryFrm1::ListBox1Click() {
    RunCommand(&ShowTableContext);
}
// A table double-clicked: its rows are shown in the grid.
void TQueryFrm1::ListBox1DblClick() {
    RunCommand(&ViewTableData);
}
void TQueryFrm1::ListBox1MouseDown(Qt::MouseButton button, const QPoint& pos) {
    if (button == Qt::RightButton)
        SelectTableAt(*this, pos);
}
// A double click on the query memo runs the query, as Run query does.
void TQueryFrm1::Memo1DblClick() {
    RunCommand(&RunQuery);
}
