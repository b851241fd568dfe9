#ifndef JOINUSADDEDITWIDGET_H
#define JOINUSADDEDITWIDGET_H

#include "content/jobs/MicroWebsite_JoinUsJob_Model.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QPointer>
#include <QWidget>

class ApplicationItemChooseView;
class CustomComboBox;
class EditorDraft;
class FormBody;
class QLineEdit;
class QPlainTextEdit;
class QProgressIndicator;
class QPushButton;

// Adds a job posting (id 0) or changes one: the texts, the education and experience choices and the
// tags as removable chips.
class JoinUsAddEditWidget : public QWidget
{
    Q_OBJECT
public:
    explicit JoinUsAddEditWidget(QWidget* parent = nullptr);

    static QStringList educationChoices();
    static QStringList experienceChoices();
    // The first empty required field's message, in the order of the form; empty when it may go.
    static QString checkInput(const MicroWebsite_JoinUsJob_Model::DataModel& job);
    // The save body; a posting with an id > 0 carries it last.
    static FormBody saveBody(const MicroWebsite_JoinUsJob_Model::DataModel& job);
    static QString saveUrl(int id);

    void setJob(const MicroWebsite_JoinUsJob_Model::DataModel& job);
    // What the form holds now.
    MicroWebsite_JoinUsJob_Model::DataModel formJob() const;
    ApplicationItemChooseView* tagView() const { return m_tags; }
    EditorDraft* draft() const { return m_draft; }
    // The open tag popup, null when none is open.
    CommonAddWidget* tagPopup() const { return m_tagPopup; }

public slots:
    void addTags();
    void showAlertTxt(QString txt);
    void submitData();

signals:
    void addOrModifySuccess();

private:
    int m_id = 0;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_salary = nullptr;
    QLineEdit* m_address = nullptr;
    QLineEdit* m_tel = nullptr;
    CustomComboBox* m_education = nullptr;
    CustomComboBox* m_experience = nullptr;
    QPlainTextEdit* m_content = nullptr;
    ApplicationItemChooseView* m_tags = nullptr;
    QPushButton* m_saveButton = nullptr;
    EditorDraft* m_draft = nullptr;
    QPointer<CommonAddWidget> m_tagPopup;
    bool m_saving = false;
};

#endif // JOINUSADDEDITWIDGET_H
