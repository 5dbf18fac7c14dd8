#pragma once
// The Import commands: the list chosen with its format's filter, the parse on
// a worker thread, the wizard, and "&Finish" building the import database
// that the frame then shows (a new database, or the open one merged).
#include "import/import_command.h"

#include <QObject>

#include <memory>
#include <optional>

namespace velk::gui {

class BackgroundTask;
class MainWindow;

class ListImport : public QObject {
    Q_OBJECT
public:
    explicit ListImport(MainWindow& frame);
    ~ListImport() override;

    // The Import command of one format.
    void Start(ListFormat format);
    // While a list is parsed no other import starts (they share the staging files).
    bool Busy() const { return task_ != nullptr; }

signals:
    void busyChanged();

private:
    void Parsed();
    void RunWizard(ImportSession session);

    MainWindow& frame_;
    std::optional<ImportSession> parsed_;  // written by the worker, read once it ended
    std::unique_ptr<BackgroundTask> task_;  // after parsed_: its worker goes first
};

}  // namespace velk::gui
