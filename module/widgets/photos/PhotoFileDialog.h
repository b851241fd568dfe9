#ifndef PHOTOFILEDIALOG_H
#define PHOTOFILEDIALOG_H

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

// The editors' picture dialog ("选取图片" unless told otherwise): opens in the user's desktop folder (else
// the pictures folder, else home) and lists the picture formats that can be read.
class PhotoFileDialog
{
public:
    // Opens in `folder` when it exists, else in startFolder().
    static QStringList pick(QWidget* parent, bool several, const QString& title = QStringLiteral("选取图片"),
                            const QString& folder = QString());
    static QString startFolder();

    // Replaces the dialog, for tests: the picker gets the parent and whether several files may be
    // chosen. An empty function restores the dialog.
    using Picker = std::function<QStringList(QWidget* parent, bool several)>;
    static void setPicker(Picker picker);

private:
    PhotoFileDialog() = delete;
};

#endif // PHOTOFILEDIALOG_H
