// A status bar of fixed panels, each a label widget (so screen readers and tests read its text).
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <vector>

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    enum class Bevel { Raised, Lowered };
    explicit TStatusBar(QWidget* parent = nullptr);

    QLabel* addPanel(int width, Bevel bevel, Qt::Alignment alignment);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    QLabel* panel(int i) const { return panels_.at(i); }
    QString panelText(int i) const { return panels_.at(i)->text(); }
    void setPanelText(int i, const QString& text) { panels_.at(i)->setText(text); }

private:
    std::vector<QLabel*> panels_;
};
