#include "support/host/ShellTasks.h"

#include "support/host/ShellDriver.h"

#include "ShellMainWindow.h"

#include <QAbstractButton>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

namespace ShellTasks {

QWidget* tile(const QString& title, QWidget* within)
{
    for (QWidget* item : ShellDriver::findAllVisible(QStringLiteral("ItemButtonWidget"), within)) {
        auto* label = item->findChild<QLabel*>(QStringLiteral("tileTitle"));
        if (label && label->text() == title)
            return item;
    }
    return nullptr;
}

QWidget* waitVisible(const QString& nameOrClass, QWidget* within, int timeoutMs)
{
    return ShellDriver::waitFor([=] { return ShellDriver::findVisible(nameOrClass, within); }, timeoutMs);
}

void retype(QWidget* edit, const QString& text)
{
    if (!edit)
        return;
    edit->activateWindow();
    edit->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    ShellDriver::typeInto(edit, text);
}

QString lineText(QWidget* within, const QString& name)
{
    auto* edit = child<QLineEdit>(within, name);
    return edit ? edit->text() : QString();
}

QString plainText(QWidget* within, const QString& name)
{
    auto* edit = child<QPlainTextEdit>(within, name);
    return edit ? edit->toPlainText() : QString();
}

QWidget* openSettings(ShellDriver& driver)
{
    if (QWidget* stack = ShellDriver::findVisible(QStringLiteral("MircroWebSiteSetStackWidget")))
        return stack;
    ShellDriver::click(ShellDriver::button(QStringLiteral("设置"), driver.window()));
    return waitVisible(QStringLiteral("MircroWebSiteSetStackWidget"));
}

QWidget* openStylePage(ShellDriver& driver)
{
    QWidget* stack = openSettings(driver);
    if (!stack)
        return nullptr;
    ShellDriver::click(child<QAbstractButton>(stack, QStringLiteral("styleButton")));
    QWidget* page = waitVisible(QStringLiteral("MircroWebsiteStyleSetWidget"), stack);
    return ShellDriver::waitFor(
        [page]() -> QWidget* {
            if (!page || !ShellDriver::findVisible(QStringLiteral("ItemButtonWidget"), page))
                return nullptr;
            for (QRadioButton* theme : page->findChildren<QRadioButton*>()) {
                if (theme->objectName().startsWith(QLatin1String("themeButton")) && theme->isChecked())
                    return page;
            }
            return nullptr;
        },
        10000);
}

QWidget* openRole(ShellDriver& driver, const QString& role)
{
    QWidget* stack = openSettings(driver);
    if (!stack)
        return nullptr;
    QWidget* tree = waitVisible(QStringLiteral("CustomTreeWidget"), stack);
    auto rowOf = [tree, role]() -> QWidget* {
        for (QWidget* row : ShellDriver::findAllVisible(QStringLiteral("treeRow"), tree)) {
            if (qobject_cast<QLabel*>(row)->text() == role)
                return row;
        }
        return nullptr;
    };
    if (!rowOf())
        ShellDriver::click(child<QWidget>(tree, QStringLiteral("treeTitle")));
    ShellDriver::click(ShellDriver::waitFor(rowOf));
    // Its rights have been read once the save is offered.
    auto* save = child<QAbstractButton>(stack, QStringLiteral("saveButton"));
    ShellDriver::waitFor([stack, save]() -> QWidget* {
        return save && save->isEnabled() && ShellDriver::findVisible(QStringLiteral("checkBox_148"), stack) ? stack : nullptr;
    });
    return stack;
}

bool showsColour(QWidget* widget, const QColor& colour)
{
    if (!widget)
        return false;
    const QColor shown = widget->grab().toImage().pixelColor(widget->rect().center());
    return qAbs(shown.red() - colour.red()) + qAbs(shown.green() - colour.green()) + qAbs(shown.blue() - colour.blue()) < 30;
}

QString picture(const QTemporaryDir& folder, const QString& name, const QColor& colour)
{
    QImage image(132, 132, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = folder.filePath(name);
    image.save(path, "PNG");
    return path;
}

} // namespace ShellTasks
