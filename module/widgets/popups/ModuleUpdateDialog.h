#ifndef MODULEUPDATEDIALOG_H
#define MODULEUPDATEDIALOG_H

#include <QDialog>
#include <QScopedPointer>
#include <QString>

namespace Ui {
class ModuleUpdateDialog;
}

// Tells the user that a component of the suite is missing, names its file and offers to fetch
// it from the service. Opens without blocking and deletes itself when closed.
class ModuleUpdateDialog : public QDialog
{
    Q_OBJECT
public:
    ModuleUpdateDialog(const QString& message, const QString& fileName, QWidget* parent = nullptr);
    ~ModuleUpdateDialog() override;

    // Shows the dialog for a missing component, or brings forward the one already open for it.
    static ModuleUpdateDialog* open(const QString& message, const QString& fileName);

    QString message() const;
    QString fileName() const { return m_fileName; }
    QString statusText() const;

public slots:
    // Asks the service for the component.
    void fetchComponent();

private:
    void showStatus(const QString& text);

    QScopedPointer<Ui::ModuleUpdateDialog> ui;
    QString m_fileName;
};

#endif // MODULEUPDATEDIALOG_H
