#include "shell/document_title.h"

namespace velk::gui {

QString DocumentFrameTitle(const QString& frameTitle, QString caption)
{
    caption.remove("[*]");
    caption = caption.trimmed();
    return caption.isEmpty() ? frameTitle : frameTitle + " - " + caption + "[*]";
}

}  // namespace velk::gui
