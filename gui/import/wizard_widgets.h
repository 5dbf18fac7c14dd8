#pragma once
// The widgets the wizard steps and the merger dialogs build the same way.
#include <QString>

class QAbstractItemModel;
class QFormLayout;
class QLabel;
class QPushButton;
class QTableView;
class QWidget;

namespace velk::gui {

// A row-selecting list over `model`: no row header, fixed row height so that
// long lists stay quick.
QTableView* MakeListView(QAbstractItemModel* model, const char* name, QWidget* parent);

QPushButton* MakeButton(const QString& text, const char* name, QWidget* parent, const QString& tip = {});

// A "title : value" row of counters; returns the value label.
QLabel* AddCounter(QFormLayout* form, const QString& title, const char* name);

}  // namespace velk::gui
