#include "import/list_merger_dialog.h"

#include "import/wizard_widgets.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QVBoxLayout>

namespace velk::gui {
namespace {

// How the tool tips name the format's files.
QString TipName(MergedListFormat format)
{
    switch (format) {
    case MergedListFormat::SatcoDx: return "SDX";
    case MergedListFormat::Dvb2000: return "DVB2000";
    case MergedListFormat::Lyngsat: return "Lyngsat DAT";
    }
    return {};
}

}  // namespace

ListMergerDialog::ListMergerDialog(MergedListFormat format, Ui& ui, QWidget* parent)
    : QDialog(parent), format_(format), ui_(ui), files_(format)
{
    setObjectName("SDX Files Merger");
    setWindowTitle(MergerTexts(format).title);
    const auto name = TipName(format);
    model_ = new QStringListModel(this);
    list_ = new QListView(this);
    list_->setObjectName("selectedFiles");
    list_->setModel(model_);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setToolTip(QString("%1 file(s) list.").arg(name));
    auto* group = new QGroupBox("Selected files", this);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(list_);

    auto* file = MakeButton("&Files", "files", this, QString("Browse for %1 file.").arg(name));
    auto* folder = MakeButton("Fol&der", "folder", this, QString("Browse for %1 file(s) folder.").arg(name));
    auto* remove = MakeButton("&Remove", "remove", this, QString("Remove %1 file(s) from the file list.").arg(name));
    auto* merge = MakeButton("&Merge", "merge", this, QString("Merge %1 files.").arg(name));
    auto* close = MakeButton("&Close", "close", this);
    connect(file, &QPushButton::clicked, this, &ListMergerDialog::AddFile);
    connect(folder, &QPushButton::clicked, this, &ListMergerDialog::AddFolder);
    connect(remove, &QPushButton::clicked, this, &ListMergerDialog::RemoveSelected);
    connect(merge, &QPushButton::clicked, this, &ListMergerDialog::Merge);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QVBoxLayout;
    for (auto* button : {file, folder, remove, merge})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);
    resize(620, 360);
}

void ListMergerDialog::ShowFiles()
{
    QStringList paths;
    for (const auto& path : files_.Files())
        paths << QString::fromStdString(path.string());
    model_->setStringList(paths);
}

void ListMergerDialog::AddFile()
{
    const auto& texts = MergerTexts(format_);
    const auto chosen = ui_.ChooseOpenFile({texts.openTitle, texts.openFilter, texts.extension, {}});
    if (chosen && files_.AddFile(ui_, *chosen))
        ShowFiles();
}

void ListMergerDialog::AddFolder()
{
    const auto folder = ui_.ChooseFolder("Choose a folder", std::filesystem::current_path());
    if (folder && files_.AddFolder(ui_, *folder) > 0)
        ShowFiles();
}

void ListMergerDialog::RemoveSelected()
{
    std::vector<std::size_t> rows;
    for (const auto& index : list_->selectionModel()->selectedIndexes())
        rows.push_back(static_cast<std::size_t>(index.row()));
    files_.Remove(rows);
    ShowFiles();
}

void ListMergerDialog::Merge() { files_.Merge(ui_); }

}  // namespace velk::gui
