#include "support/ui/InputProbe.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

namespace InputProbe {

bool chooseEntry(QComboBox* box, const QString& text)
{
    const int index = box ? box->findText(text) : -1;
    if (index < 0)
        return false;
    box->showPopup();
    QAbstractItemView* view = box->view();
    for (int i = box->currentIndex(); i < index; ++i)
        QTest::keyClick(view, Qt::Key_Down);
    for (int i = box->currentIndex(); i > index; --i)
        QTest::keyClick(view, Qt::Key_Up);
    QTest::keyClick(view, Qt::Key_Return);
    return true;
}

void commitText(QLineEdit* edit, const QString& text)
{
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QApplication::sendEvent(edit, &commit);
}

} // namespace InputProbe
