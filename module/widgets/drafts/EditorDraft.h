#ifndef EDITORDRAFT_H
#define EDITORDRAFT_H

#include <QJsonObject>
#include <QJsonValue>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>

class AlertWidget;
class PhotoWork;
class QAbstractButton;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTimer;
class QWidget;

// Keeps what an editor holds as a draft in the user's local store, so that nothing typed is lost
// to a closed window, a lost login or a crash. The editor declares its fields once; the draft is
// written a moment after each change and when the editor hides or goes, removed by a successful
// save (SaveOutcome tells it), and offered back ("恢复草稿" / "放弃草稿") when the editor opens
// again over data that differ from it. Each kind of editor has a name; each record its own key.
class EditorDraft : public QObject
{
    Q_OBJECT
public:
    using Read = std::function<QJsonValue()>;
    using Write = std::function<void(const QJsonValue&)>;

    // A child of the editor; `editorName` tells kinds of editors apart in the store.
    EditorDraft(QWidget* editor, const QString& editorName);
    ~EditorDraft() override;

    // The record being edited; an empty one, "0" or a negative id is a new record.
    void setRecord(const QString& record);
    void setRecord(int id);
    QString record() const { return m_record; }
    QString editorName() const { return m_editorName; }

    void addField(const QString& key, QLineEdit* edit);
    void addField(const QString& key, QPlainTextEdit* edit);
    // The shown text; a text the box does not hold is added, as an older record's value would be.
    void addField(const QString& key, QComboBox* box);
    void addField(const QString& key, QAbstractButton* checkable);
    // Any other field: the editor calls changed() when it changes.
    void addField(const QString& key, const Read& read, const Write& write);
    // Follows every line edit, text edit, combo box and check or radio button now inside `area`:
    // for forms built from data, whose fields are read as a whole (declared with a Read/Write).
    void watchInputs(QWidget* area);
    // Pictures as paths or addresses. A compression result of `work` keeps the file it was made
    // from: when the result is gone by the restore (the cache is cleared), that file is handed to
    // `recompress` and comes back through the editor's own compression. Pictures that cannot come
    // back are left out and named.
    void addPictures(const QString& key, const std::function<QStringList()>& read,
                     const std::function<void(const QStringList&)>& write, PhotoWork* work = nullptr,
                     const std::function<void(const QStringList&)>& recompress = {});

    // Takes what the form shows now as what the service holds, and offers a draft that differs from
    // it. Editors call it once their data are in (again for another record); startWhenShown() calls
    // it when the editor first shows, for editors that are filled before they open.
    void start();
    void startWhenShown();
    bool isStarted() const { return m_started; }

    QJsonObject snapshot() const;
    bool hasUnsavedChanges() const;
    // The record was saved with these fields: its draft goes and they are what the service holds.
    void saved(const QString& record, const QJsonObject& fields);
    // The user gave up the changes: the draft goes.
    void discard();
    // Writes a pending change now.
    void flush();

    // The drafts an editor keeps (its own children).
    static QList<EditorDraft*> draftsOf(const QWidget* editor);
    // "放弃未保存的修改？" when a draft inside `window` holds unsaved changes: calls `close` at once
    // when none does, else after the user confirms (their drafts are discarded then).
    static void closeAsking(QWidget* window, const std::function<void()>& close);
    // The local files among these pictures that are not on disk.
    static QStringList missingFiles(const QStringList& pictures);

    // The open restore offer, null when none is open.
    AlertWidget* offer() const;

public slots:
    void changed();
    void restore();

signals:
    // The form was filled from the draft; `missing` names the pictures that could not come back.
    void restored(const QStringList& missing);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Field
    {
        QString key;
        Read read;
        Write write;
        bool pictures = false;
        std::function<void(const QStringList&)> recompress;
    };
    void writeNow();
    void windowClosing();

    QPointer<QWidget> m_editor;
    // The window the editor is in, whose closing writes what the form holds.
    QPointer<QWidget> m_window;
    QString m_editorName;
    QString m_record;
    QList<Field> m_fields;
    QJsonObject m_baseline;
    QJsonObject m_current;
    // What the store holds for the record: the last draft written, else what the service holds.
    QJsonObject m_written;
    QJsonObject m_offered;
    QTimer* m_timer = nullptr;
    QPointer<AlertWidget> m_offer;
    bool m_started = false;
    bool m_startOnShow = false;
    bool m_restoring = false;
};

#endif // EDITORDRAFT_H
