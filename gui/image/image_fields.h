#pragma once
// The field kinds the image dialogs are built from.
#include <QString>
#include <QStringList>

#include <cstdint>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace velk::gui {

// A hexadecimal field of at most `digits` digits, entered without "0x".
QLineEdit* HexField(QWidget* parent, const char* name, int digits, std::uint32_t value = 0, bool filled = false);

// The value the dialogs read from a hexadecimal field (the core's conversion).
std::uint32_t HexValue(const QLineEdit* field);

// A file name field; its browse button is named `name` + "Browse".
QLineEdit* FileField(QWidget* parent, const char* name);
QPushButton* BrowseButton(QWidget* parent, const char* name, const QString& text, const QString& tip);

QComboBox* ListField(QWidget* parent, const char* name, const QStringList& items, int current);

// "Major" / "Minor" columns, "Hardware" / "Software" rows.
QGridLayout* VersionGrid(QWidget* parent, QLineEdit* hwMajor, QLineEdit* hwMinor, QLineEdit* swMajor, QLineEdit* swMinor);

// The image dialogs' button row: "Settings" (command 40071) on the left, "&URT"
// ("Generate URT", the default) and "&Close" ("Close Window") on the right.
struct UrtButtons {
    QPushButton* settings;
    QPushButton* urt;
    QPushButton* close;
    QHBoxLayout* row;
};
UrtButtons MakeUrtButtons(QWidget* parent);

}  // namespace velk::gui
