#include "image/verifier_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace velk::gui {

InspectWindow::InspectWindow(const QString& file, const InspectionReport& report, QWidget* parent)
    : QDialog(parent), table_(new QTableWidget(static_cast<int>(report.rows.size()), 3, this))
{
    setWindowTitle("Inspect - " + file);
    auto* verdict = new QLabel(this);
    verdict->setObjectName("verdict");
    verdict->setWordWrap(true);
    verdict->setText(QString::fromStdString(report.kind) + ": "
                     + (report.Sound() ? QString("no problems found") : QString::fromStdString(FirstProblemText(report))));
    if (!report.Sound())
        verdict->setStyleSheet("color: red");
    table_->setObjectName("report");
    table_->setHorizontalHeaderLabels({"Offset", "Field", "Value"});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    for (int row = 0; row < table_->rowCount(); ++row) {
        const InspectionRow& r = report.rows[static_cast<std::size_t>(row)];
        const QString cells[] = {QString("0x%1").arg(r.offset, 8, 16, QChar('0')).toUpper().replace("0X", "0x"),
                                 QString::fromStdString(r.field), QString::fromStdString(r.value)};
        for (int column = 0; column < 3; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            if (!r.ok)
                item->setForeground(Qt::red);
            table_->setItem(row, column, item);
        }
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText("&Close");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(720, 520);
}

}  // namespace velk::gui
