#pragma once
// The editor's find bar (Ctrl+F): the typed text goes to the core's finder over
// the whole database; the results list satellite, carrier, program number and
// name; Enter and Shift+Enter walk them and the editor shows each in turn.
#include "database/service_find.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLineEdit;
class QTableView;

namespace velk::gui {

class FindResultsModel;

class FindBar : public QWidget {
    Q_OBJECT
public:
    // `hex`: whether the editor shows PIDs in hexadecimal now.
    FindBar(const WorkingStore& store, std::function<bool()> hex, QWidget* parent);

    // Shows the bar with the text selected, searching the database as it is now.
    void Open();
    // The database changed: the results follow it.
    void DatabaseChanged();
    // The next result (Enter) or the one before (Shift+Enter).
    void Step(bool back);

    QLineEdit* Text() const { return text_; }
    QTableView* Results() const { return results_; }

signals:
    // A result was chosen: 0-based carrier and service records.
    void serviceChosen(std::uint32_t carrier, std::uint32_t service);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Search();
    void Choose(int row);

    const WorkingStore& store_;
    std::function<bool()> hex_;
    std::unique_ptr<ServiceCatalog> catalog_;  // the finder refers to it
    std::unique_ptr<ServiceFinder> finder_;
    QLineEdit* text_;
    QTableView* results_;
    FindResultsModel* model_;
};

}  // namespace velk::gui
