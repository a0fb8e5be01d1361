// The transfer window: created hidden at start-up and kept for the whole run.
#pragma once

#include "ui/retranslatable.h"

#include <QWidget>

class QLabel;

class TForm1 : public QWidget, public Retranslatable {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;
    void retranslateUi() override;

    // Record position of the shared query, "3/120".
    QLabel* Label5;
};

extern TForm1* Form1;
