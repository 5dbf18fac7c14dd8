#include "image/image_fields.h"

#include "image/flash_image.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace velk::gui {

QLineEdit* HexField(QWidget* parent, const char* name, int digits, std::uint32_t value, bool filled)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMaxLength(digits);
    // Room for every digit, however narrow the column it sits in.
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(QString(digits + 2, QChar('D'))));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(QString("[0-9A-Fa-f]{0,%1}").arg(digits)), edit));
    if (filled)
        edit->setText(QString::number(value, 16).toUpper());
    return edit;
}

std::uint32_t HexValue(const QLineEdit* field) { return ConvertHexField(field->text().toStdString()); }

QLineEdit* FileField(QWidget* parent, const char* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setMinimumWidth(320);
    return edit;
}

QPushButton* BrowseButton(QWidget* parent, const char* name, const QString& text, const QString& tip)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString(name) + "Browse");
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

QComboBox* ListField(QWidget* parent, const char* name, const QStringList& items, int current)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->addItems(items);
    combo->setCurrentIndex(current);
    return combo;
}

QGridLayout* VersionGrid(QWidget* parent, QLineEdit* hwMajor, QLineEdit* hwMinor, QLineEdit* swMajor, QLineEdit* swMinor)
{
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Major", parent), 0, 1);
    grid->addWidget(new QLabel("Minor", parent), 0, 2);
    grid->addWidget(new QLabel("Hardware", parent), 1, 0);
    grid->addWidget(hwMajor, 1, 1);
    grid->addWidget(hwMinor, 1, 2);
    grid->addWidget(new QLabel("Software", parent), 2, 0);
    grid->addWidget(swMajor, 2, 1);
    grid->addWidget(swMinor, 2, 2);
    return grid;
}

UrtButtons MakeUrtButtons(QWidget* parent)
{
    const auto button = [parent](const char* text, const char* name, const char* tip) {
        auto* b = new QPushButton(text, parent);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    UrtButtons buttons{button("Settings", "settings", ""), button("&URT", "urt", "Generate URT"),
                       button("&Close", "close", "Close Window"), new QHBoxLayout};
    buttons.urt->setDefault(true);
    buttons.row->addWidget(buttons.settings);
    buttons.row->addStretch();
    buttons.row->addWidget(buttons.urt);
    buttons.row->addWidget(buttons.close);
    return buttons;
}

}  // namespace velk::gui
