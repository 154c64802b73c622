#include "platform/layout/qt_program_font.h"

#include <QApplication>
#include <QFontInfo>
#include <QStringList>

#include "platform/layout/qt_font_families.h"

namespace kelvane {

QFont programFont(const QFont& desktop) {
    QFont font = desktop;
    const QStringList installed =
        installedFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"),
                           QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setFamilies(installed + QStringList{desktop.family()});
    return font;
}

QFont grownLikeProgramFont(QFont font) {
    constexpr qreal kDesignPointSize = 8.0;
    const QFont program = QApplication::font();
    font.setFamilies(font.families() + QStringList{QFontInfo(program).family()});
    if (program.pointSizeF() > kDesignPointSize && (font.resolveMask() & QFont::SizeResolved) &&
        font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * program.pointSizeF() / kDesignPointSize);
    return font;
}

}  // namespace kelvane
