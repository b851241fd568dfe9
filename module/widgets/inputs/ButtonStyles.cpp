#include "widgets/inputs/ButtonStyles.h"

namespace {

QString blue(int radius)
{
    return QStringLiteral("QAbstractButton{background:#3e8ef7;color:white;border:none;border-radius:%1px;padding:0 12px;}"
                          "QAbstractButton:hover{background:#5a9ff8;}")
        .arg(radius);
}

} // namespace

QString ButtonStyles::primary()
{
    return blue(3);
}

QString ButtonStyles::primaryRound()
{
    return blue(18);
}
