#include "widgets/photos/PhotoFileDialog.h"

#include "net/pictures/PhotoFormats.h"

#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace {

PhotoFileDialog::Picker& picker()
{
    static PhotoFileDialog::Picker instance;
    return instance;
}

} // namespace

void PhotoFileDialog::setPicker(Picker replacement)
{
    picker() = std::move(replacement);
}

QString PhotoFileDialog::startFolder()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!desktop.isEmpty() && QDir(desktop).exists())
        return desktop;
    return QDir::rootPath();
}

QStringList PhotoFileDialog::pick(QWidget* parent, bool several, const QString& title, const QString& folder)
{
    if (picker())
        return picker()(parent, several);
    const QString start = !folder.isEmpty() && QDir(folder).exists() ? folder : startFolder();
    if (several)
        return QFileDialog::getOpenFileNames(parent, title, start, PhotoFormats::dialogFilter());
    const QString file = QFileDialog::getOpenFileName(parent, title, start, PhotoFormats::dialogFilter());
    return file.isEmpty() ? QStringList() : QStringList(file);
}
