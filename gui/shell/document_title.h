#pragma once
// The frame's title while a document is open: the frame's own title, then the
// document's caption once, then the platform's modified marker.
#include <QString>

namespace velk::gui {

// "Velk Editor 1.0.0 [ Type 1 ]" and " [ /path/db.bin ] [*]" give
// "Velk Editor 1.0.0 [ Type 1 ] - [ /path/db.bin ][*]".
QString DocumentFrameTitle(const QString& frameTitle, QString caption);

}  // namespace velk::gui
