#pragma once
// The Import commands: the list chosen with its format's filter, the parse on
// a worker thread, the wizard, and "&Finish" building the import database
// that the frame then shows (a new database, or the open one merged).
#include "import/import_command.h"

#include <QObject>

#include <memory>

namespace velk::gui {

class ListParseJob;
class MainWindow;

class ListImport : public QObject {
    Q_OBJECT
public:
    explicit ListImport(MainWindow& frame);
    ~ListImport() override;

    // The Import command of one format.
    void Start(ListFormat format);
    // While a list is parsed no other import starts (they share the staging files).
    bool Busy() const { return job_ != nullptr; }

signals:
    void busyChanged();

private:
    void Parsed();
    void RunWizard(ImportSession session);

    MainWindow& frame_;
    std::unique_ptr<ListParseJob> job_;
};

}  // namespace velk::gui
