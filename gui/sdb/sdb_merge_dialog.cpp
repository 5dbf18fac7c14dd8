#include "sdb/sdb_merge_dialog.h"

#include "import/wizard_widgets.h"
#include "sdb/sdb_merge.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace velk::gui {

SdbMergeDialog::SdbMergeDialog(Ui& ui, Placement placement, QWidget* parent)
    : QDialog(parent), ui_(ui), placement_(placement)
{
    setWindowTitle("Static Bin Merger");
    auto* grid = new QGridLayout;
    const auto row = [&](int r, const char* label, const char* name) {
        auto* field = new QLineEdit(this);
        field->setObjectName(name);
        field->setMinimumWidth(360);
        auto* browse = MakeButton("...", QString("%1Browse").arg(name).toUtf8().constData(), this, "Browse static binary files");
        connect(browse, &QPushButton::clicked, this, [this, field] { Browse(field); });
        grid->addWidget(new QLabel(label, this), r, 0);
        grid->addWidget(field, r, 1);
        grid->addWidget(browse, r, 2);
        return field;
    };
    file1_ = row(0, "File 1 :", "file1");
    file2_ = row(1, "File 2 :", "file2");
    auto* merge = MakeButton("Merge", "merge", this, "Click to merge static binary files");
    auto* close = MakeButton("Close", "close", this);
    connect(merge, &QPushButton::clicked, this, &SdbMergeDialog::Merge);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(merge);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

void SdbMergeDialog::Browse(QLineEdit* field)
{
    if (const auto file = ui_.ChooseOpenFile({"Open Static Bin File", "Bin Files|*.bin", "bin", {}}))
        field->setText(QString::fromStdString(file->string()));
}

void SdbMergeDialog::Merge()
{
    const std::filesystem::path file1 = file1_->text().toStdString();
    const std::filesystem::path file2 = file2_->text().toStdString();
    lastResult_ = sdb::MergeButton(ui_, file1, file2, placement_);
}

}  // namespace velk::gui
