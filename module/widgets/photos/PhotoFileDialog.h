#ifndef PHOTOFILEDIALOG_H
#define PHOTOFILEDIALOG_H

#include <QStringList>

#include <functional>

class QWidget;

// The editors' "选取图片" dialog: opens in the user's desktop folder and lists the picture formats
// that can be read.
class PhotoFileDialog
{
public:
    static QStringList pick(QWidget* parent, bool several);
    static QString startFolder();

    // Replaces the dialog, for tests: the picker gets the parent and whether several files may be
    // chosen. An empty function restores the dialog.
    using Picker = std::function<QStringList(QWidget* parent, bool several)>;
    static void setPicker(Picker picker);

private:
    PhotoFileDialog() = delete;
};

#endif // PHOTOFILEDIALOG_H
