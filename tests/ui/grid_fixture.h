// A throwaway database on the test server, a dataset on it, and a grid and navigator bound to the
// dataset through a data source, shown offscreen.
#pragma once

#include "support/scratch_database.h"
#include "support/scripted_prompts.h"
#include "support/test_server.h"

#include "data/mysql_database.h"
#include "data/mysql_query.h"
#include "data/mysql_transact.h"
#include "ui/data_source.h"
#include "ui/db_grid.h"
#include "ui/db_navigator.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <string>

class GridTest : public testserver::ScratchDatabaseTest {
protected:
    void SetUp() override {
        root_ = std::make_unique<testserver::RootConnection>();
        db_.SetHost(testserver::kHost);
        db_.SetLogin(testserver::kRootUser);
        db_.SetPassword(testserver::kRootPassword);
        db_.SetDatabase(Db());
        transact_.SetDatabase(&db_);
        q_.SetDatabase(&db_);
        q_.SetTransaction(&transact_);
        source_.SetDataSet(&q_);
        auto* layout = new QVBoxLayout(&window_);
        nav_ = new TDBNavigator(&window_);
        grid_ = new TDBGrid(&window_);
        layout->addWidget(nav_);
        layout->addWidget(grid_);
        nav_->setDataSource(&source_);
        grid_->setDataSource(&source_);
        window_.resize(600, 400);
        window_.show();
    }
    void TearDown() override {
        q_.Close();
        transact_.Disconnect();
        db_.Disconnect();
    }

    void Use(const std::string& sql) {
        root_->Exec(std::string("USE ") + Db());
        root_->Exec(sql);
    }
    void Open(const std::string& sql) {
        q_.SetSQLText(sql);
        q_.Open();
        Settle();
    }
    // Lets the view lay out, ask for rows and paint.
    void Settle() {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        grid_->viewport()->grab();
        QApplication::processEvents();
    }
    TDataSetModel& Model() { return *grid_->dataModel(); }
    QString Cell(int row, int column, int role = Qt::DisplayRole) {
        return Model().data(Model().index(row, column), role).toString();
    }
    int GridRow() { return grid_->currentIndex().row(); }
    bool On(TDBNavigator::Button b) { return nav_->button(b)->isEnabled(); }
    void Click(TDBNavigator::Button b) {
        nav_->button(b)->click();
        Settle();
    }

    ScriptedPrompts prompts_;
    std::unique_ptr<testserver::RootConnection> root_;
    TMySQLDatabase db_;
    TMySQLTransact transact_;
    TMySQLQuery q_;
    TDataSource source_;
    QWidget window_;
    TDBNavigator* nav_ = nullptr;
    TDBGrid* grid_ = nullptr;
};
