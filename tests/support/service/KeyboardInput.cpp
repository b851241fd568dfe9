#include "support/service/KeyboardInput.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QWidget>
#include <QtTest>

namespace KeyboardInput {

void type(QWidget* edit, const QString& text)
{
    if (!edit)
        return;
    edit->activateWindow();
    edit->setFocus(Qt::OtherFocusReason);
    for (const QChar character : text) {
        if (character.unicode() < 0x80) {
            QTest::keyClick(edit, character.toLatin1());
            continue;
        }
        QInputMethodEvent commit;
        commit.setCommitString(QString(character));
        QCoreApplication::sendEvent(edit, &commit);
    }
}

} // namespace KeyboardInput
