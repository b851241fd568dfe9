#ifndef BOOKDIALOG_H
#define BOOKDIALOG_H

#include "BookField.h"
#include "SiblingServiceClient.h"

#include <QDialog>
#include <QList>
#include <QMap>

class QLabel;
class QLineEdit;
class QPushButton;

// The form in which a book shows what it received: every field in a line the user may still
// correct, "保存" to keep the entry in the book on the service, "取消" to drop it. It opens
// without blocking the caller, is found by the object name "BookDialog", and deletes itself when
// closed. A refusal leaves the form open with the service's message, so nothing typed is lost.
class BookDialog : public QDialog
{
    Q_OBJECT
public:
    // fixed: pieces sent as they are, before the fields. path: the add endpoint, e.g. "hbook/add".
    // bookName: "房源本" or "客户本", for the messages.
    BookDialog(const QString& title, const QString& bookName, const QList<BookField>& fields, const FormPieces& fixed,
               const QString& path, QWidget* parent = nullptr);

    // The form as it would be sent now.
    FormPieces formPieces() const;
    QString statusText() const;
    bool isSaved() const { return m_saved; }

public slots:
    void save();

private:
    void dealSaved();
    void dealRefused(const QString& message);
    void showStatus(const QString& text, bool failure);

    QString m_bookName;
    QString m_path;
    FormPieces m_fixed;
    QList<QPair<QString, QLineEdit*>> m_edits;
    QLabel* m_status = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_cancelButton = nullptr;
    SiblingServiceClient* m_client = nullptr;
    bool m_saved = false;
};

#endif // BOOKDIALOG_H
