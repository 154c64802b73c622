#pragma once

#include <QImage>
#include <QString>

class QLabel;

namespace kelvane {

// Reads a picture file for a preview box. Returns a null image when the file
// is missing, unreadable, not a picture or a bitmap cut short. Only a regular
// file is opened: anything else (a named pipe, a device) is refused without
// waiting, and `refusal`, when given, receives a sentence naming it.
QImage readPreviewPicture(const QString& path, QString* refusal = nullptr);

// Shows the picture stretched to the box; a null image empties the box.
void showInPictureBox(QLabel* box, const QImage& picture);

}  // namespace kelvane
