#include "common/DialogFont.h"

QFont dialogFont()
{
    QFont font(QStringLiteral("Liberation Sans"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}
