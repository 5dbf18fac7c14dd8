#pragma once
// "SDX Files Merger", retitled per format: the "Selected files" list filled
// file by file or from a folder, and the merge into one list file. The file
// list and its checks are the core's ListFileCollection.
#include "common/ui.h"
#include "import/list_merger.h"

#include <QDialog>

class QListView;
class QStringListModel;

namespace velk::gui {

class ListMergerDialog : public QDialog {
    Q_OBJECT
public:
    ListMergerDialog(MergedListFormat format, Ui& ui, QWidget* parent = nullptr);

    QListView* List() const { return list_; }
    const ListFileCollection& Files() const { return files_; }

private:
    void AddFile();
    void AddFolder();
    void RemoveSelected();
    void Merge();
    void ShowFiles();

    MergedListFormat format_;
    Ui& ui_;
    ListFileCollection files_;
    QStringListModel* model_;
    QListView* list_;
};

}  // namespace velk::gui
