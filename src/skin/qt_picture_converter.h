#pragma once

#include <QString>
#include <optional>

#include "platform/qt_app_context.h"
#include "skin/image_slots.h"

namespace kelvane {

struct ConvertedPicture {
    QString path;
    ImageSlot slot;
};

// The answers to a file that does not fit its slot.
enum class MismatchAnswer { Convert, UseAnyway, Cancel };

// Asks what to do with a file that does not fit its slot: Convert (offered
// only when `offerConvert`), Use Anyway or Cancel.
MismatchAnswer askAboutMismatch(AppContext& context, const QString& text, bool offerConvert);

// Makes the "converted" folder when it is missing and returns its path; says
// so and returns nothing when it cannot be made.
std::optional<QString> makeConvertedFolder(AppContext& context);

// Converts a picture for a slot: reads it, lets the user choose the fit (and
// the slot, when `slot` is not given) on a preview, and writes the result
// into the "converted" folder under a new name. The source is never written
// over; an earlier conversion of the same name only when the user says so.
// Every failure is reported naming the file; returns nothing then, or when
// the user cancelled.
std::optional<ConvertedPicture> convertPictureFile(AppContext& context, const QString& source,
                                                   std::optional<ImageSlot> slot);

}  // namespace kelvane
