#include "database/view_layout.h"

#include "shell/preferences.h"

#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTreeView>

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace velk::gui {
namespace {

std::string ColumnsKey() { return PreferenceKey("Columns"); }
std::string EditorKey() { return PreferenceKey("Editor"); }
constexpr const char* kTreeWidth = "TreeWidth";

// The user's widths of one list, kept under the header texts.
class ColumnMemory : public QObject {
public:
    static constexpr const char* kName = "columnMemory";

    ColumnMemory(QTableView* list, KeyValueStore& settings) : QObject(list), list_(list), settings_(settings)
    {
        setObjectName(kName);
        connect(list->horizontalHeader(), &QHeaderView::sectionResized, this, &ColumnMemory::Resized);
    }

    std::optional<int> Width(int column) const
    {
        const auto text = settings_.Read(ColumnsKey(), HeaderText(column));
        const int width = text ? std::atoi(text->c_str()) : 0;
        return width > 0 ? std::optional(width) : std::nullopt;
    }

    // Widths set here are the program's, not the user's.
    void Set(int column, int width)
    {
        applying_ = true;
        list_->setColumnWidth(column, width);
        applying_ = false;
    }

private:
    std::string HeaderText(int column) const
    {
        return list_->model()->headerData(column, Qt::Horizontal).toString().toStdString();
    }

    void Resized(int column, int, int width)
    {
        const bool stretched = column == list_->horizontalHeader()->count() - 1;
        if (!applying_ && !stretched && list_->horizontalHeader()->isVisible())
            settings_.Write(ColumnsKey(), HeaderText(column), std::to_string(width));
    }

    QTableView* list_;
    KeyValueStore& settings_;
    bool applying_ = false;
};

// The tree pane's width, applied once the splitter knows its own: sizes set
// before would be scaled down with the window.
class TreeWidth : public QObject {
public:
    TreeWidth(QSplitter* splitter, int width) : QObject(splitter), width_(width)
    {
        setObjectName("treeWidth");
        splitter->installEventFilter(this);
    }
    void Set(int width) { width_ = width; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* splitter = static_cast<QSplitter*>(watched);
        const bool laidOut = event->type() == QEvent::Resize || event->type() == QEvent::Show;
        if (laidOut && splitter->isVisible() && splitter->width() > 0) {
            const int rest = splitter->width() - splitter->handleWidth() - width_;
            splitter->setSizes({width_, std::max(rest, 1)});
            splitter->removeEventFilter(this);
        }
        return false;
    }

private:
    int width_;
};

int DefaultTreeWidth(const QTreeView* tree)
{
    const auto& fm = tree->fontMetrics();
    const int label = fm.horizontalAdvance("[ 64 ] ") + 19 * fm.averageCharWidth();
    const int scrollBar = tree->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    return label + 2 * tree->indentation() + tree->iconSize().width() + scrollBar + 2 * tree->frameWidth() + 8;
}

}  // namespace

void SizeColumn(QTableView* list, int column, int preferred)
{
    auto* header = list->horizontalHeader();
    header->setStretchLastSection(true);
    const int own = std::max(preferred, header->sectionSizeHint(column));
    auto* memory = dynamic_cast<ColumnMemory*>(list->findChild<QObject*>(ColumnMemory::kName, Qt::FindDirectChildrenOnly));
    if (!memory) {
        list->setColumnWidth(column, own);
        return;
    }
    memory->Set(column, memory->Width(column).value_or(own));
}

void FitEditorLayout(QWidget* editor)
{
    if (auto* title = editor->findChild<QLabel*>("header")) {
        title->setMinimumWidth(0);
        title->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    // The buttons above the list give up their spare width before the tree pane does.
    for (auto* button : editor->findChildren<QPushButton*>()) {
        const auto text = QString(button->text()).remove('&');
        button->setMinimumWidth(button->fontMetrics().horizontalAdvance(text) + 16);
    }
    if (auto* strip = editor->findChild<QTableView*>("detailStrip"))
        strip->setFixedHeight(strip->maximumHeight() + strip->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    auto* splitter = editor->findChild<QSplitter*>();
    auto* tree = editor->findChild<QTreeView*>("tree");
    if (splitter && tree) {
        splitter->setChildrenCollapsible(false);
        new TreeWidth(splitter, DefaultTreeWidth(tree));
    }
}

void RememberViewSizes(QWidget* editor, KeyValueStore& settings)
{
    if (auto* list = editor->findChild<QTableView*>("list")) {
        auto* memory = new ColumnMemory(list, settings);
        for (int column = 0; column + 1 < list->horizontalHeader()->count(); ++column)
            if (const auto width = memory->Width(column))
                memory->Set(column, *width);
    }
    auto* splitter = editor->findChild<QSplitter*>();
    if (!splitter)
        return;
    auto* treeWidth = dynamic_cast<TreeWidth*>(splitter->findChild<QObject*>("treeWidth", Qt::FindDirectChildrenOnly));
    if (const auto width = settings.Read(EditorKey(), kTreeWidth); treeWidth && width && std::atoi(width->c_str()) > 0)
        treeWidth->Set(std::atoi(width->c_str()));
    QObject::connect(splitter, &QSplitter::splitterMoved, editor, [splitter, &settings] {
        settings.Write(EditorKey(), kTreeWidth, std::to_string(splitter->sizes().value(0)));
    });
}

}  // namespace velk::gui
