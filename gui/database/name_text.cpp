#include "database/name_text.h"

#include "common/charset.h"

namespace velk::gui {

QString NameToQString(std::string_view databaseName)
{
    return QString::fromStdString(DatabaseToUtf8(databaseName));
}

std::string NameFromQString(const QString& text, Ui& ui)
{
    NameConversion conversion;
    auto name = conversion.ToDatabase(text.toStdString());
    conversion.TellUser(ui);
    return name;
}

}  // namespace velk::gui
