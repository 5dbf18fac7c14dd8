#pragma once
// The editor's find bar (Ctrl+F): the typed text goes to the core's finder over
// the whole database; the results list satellite, carrier, program number and
// name; Enter and Shift+Enter walk them and the editor shows each in turn.
// The finder's catalogue is built on a worker thread from the editor's
// snapshot; the bar takes typing meanwhile and shows results once it is ready.
// A catalogue of a database that has changed since is thrown away.
#include "database/service_find.h"
#include "database/store_snapshot.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <thread>

class QLineEdit;
class QTableView;

namespace velk::gui {

class FindResultsModel;

class FindBar : public QWidget {
    Q_OBJECT
public:
    // `hex`: whether the editor shows PIDs in hexadecimal now.
    FindBar(std::function<bool()> hex, QWidget* parent);
    ~FindBar() override;  // waits for a catalogue being built

    // Shows the bar with the text selected, searching the database as it is now.
    void Open();
    // The database changed: the editor's new snapshot and the store's counts.
    // The results follow it.
    void DatabaseChanged(std::shared_ptr<const StoreSnapshot> snapshot, std::uint32_t carriers, std::uint32_t services);
    // Whether the results stand for the database as it is now.
    bool Ready() const { return finder_ != nullptr; }
    // The next result (Enter) or the one before (Shift+Enter).
    void Step(bool back);

    QLineEdit* Text() const { return text_; }
    QTableView* Results() const { return results_; }

signals:
    // A result was chosen: 0-based carrier and service records.
    void serviceChosen(std::uint32_t carrier, std::uint32_t service);
    // The catalogue of the database as it is now is ready and searched.
    void ready();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Index {
        explicit Index(ServiceCatalog all) : catalog(std::move(all)), finder(catalog) {}
        ServiceCatalog catalog;
        ServiceFinder finder;  // refers to the catalogue above
    };
    void StartBuild();
    void Built(std::uint64_t generation, std::shared_ptr<Index> index);
    void Search();
    void Choose(int row);

    std::function<bool()> hex_;
    std::shared_ptr<const StoreSnapshot> snapshot_;
    std::uint32_t carriers_ = 0, services_ = 0;
    std::uint64_t generation_ = 0;  // counts the database states seen
    bool building_ = false;
    std::shared_ptr<Index> index_;  // of the database as it is now
    const ServiceFinder* finder_ = nullptr;
    QLineEdit* text_;
    QTableView* results_;
    FindResultsModel* model_;
    std::jthread builder_;  // last: joined before the rest goes
};

}  // namespace velk::gui
