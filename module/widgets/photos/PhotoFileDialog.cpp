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
    // Systems without a desktop folder still keep photos near home, never at the root.
    for (const QStandardPaths::StandardLocation location : {QStandardPaths::DesktopLocation, QStandardPaths::PicturesLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QDir(folder).exists())
            return folder;
    }
    return QDir::homePath();
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
