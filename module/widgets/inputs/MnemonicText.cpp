#include "widgets/inputs/MnemonicText.h"

QString MnemonicText::escaped(const QString& text)
{
    return QString(text).replace(QLatin1Char('&'), QStringLiteral("&&"));
}
