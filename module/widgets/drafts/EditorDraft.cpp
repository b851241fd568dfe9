#include "widgets/drafts/EditorDraft.h"

#include "net/pictures/PhotoWork.h"
#include "store/DraftStore.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/SaveOutcome.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace {

// Long enough to take a burst of typing in one write.
constexpr int kWriteDelayMs = 600;

QString recordKey(const QString& record)
{
    bool number = false;
    const long long id = record.toLongLong(&number);
    if (record.isEmpty() || (number && id <= 0))
        return QStringLiteral("new");
    return record;
}

bool isLocalFile(const QString& picture)
{
    const QUrl url(picture);
    return !picture.startsWith(QLatin1String(":/")) && (url.scheme().isEmpty() || url.scheme().size() == 1 || url.isLocalFile());
}

QString localPath(const QString& picture)
{
    const QUrl url(picture);
    return url.isLocalFile() ? url.toLocalFile() : picture;
}

} // namespace

EditorDraft::EditorDraft(QWidget* editor, const QString& editorName)
    : QObject(editor)
    , m_editor(editor)
    , m_editorName(editorName)
    , m_record(QStringLiteral("new"))
{
    setObjectName(QStringLiteral("EditorDraft"));
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
    m_timer->setInterval(kWriteDelayMs);
    connect(m_timer, &QTimer::timeout, this, &EditorDraft::writeNow);
    if (editor)
        editor->installEventFilter(this);
}

EditorDraft::~EditorDraft()
{
    // The host closing the tab or the module going: the last change must not be lost. Only the
    // snapshot taken at the change is written; the fields may be gone already.
    if (m_timer->isActive())
        writeNow();
    if (m_offer)
        m_offer->closeWidget();
}

void EditorDraft::setRecord(const QString& record)
{
    const QString key = recordKey(record);
    if (key == m_record)
        return;
    flush();
    m_record = key;
    m_started = false;
}

void EditorDraft::setRecord(int id)
{
    setRecord(QString::number(id));
}

void EditorDraft::addField(const QString& key, QLineEdit* edit)
{
    QPointer<QLineEdit> guard(edit);
    addField(
        key, [guard]() -> QJsonValue { return guard ? guard->text() : QString(); },
        [guard](const QJsonValue& value) {
            if (guard)
                guard->setText(value.toString());
        });
    connect(edit, &QLineEdit::textChanged, this, &EditorDraft::changed);
}

void EditorDraft::addField(const QString& key, QPlainTextEdit* edit)
{
    QPointer<QPlainTextEdit> guard(edit);
    addField(
        key, [guard]() -> QJsonValue { return guard ? guard->toPlainText() : QString(); },
        [guard](const QJsonValue& value) {
            if (guard)
                guard->setPlainText(value.toString());
        });
    connect(edit, &QPlainTextEdit::textChanged, this, &EditorDraft::changed);
}

void EditorDraft::addField(const QString& key, QComboBox* box)
{
    QPointer<QComboBox> guard(box);
    addField(
        key, [guard]() -> QJsonValue { return guard ? guard->currentText() : QString(); },
        [guard](const QJsonValue& value) {
            if (!guard)
                return;
            const QString text = value.toString();
            int index = guard->findText(text);
            if (index < 0 && !text.isEmpty() && !guard->isEditable()) {
                guard->addItem(text);
                index = guard->count() - 1;
            }
            if (guard->isEditable() && index < 0)
                guard->setCurrentText(text);
            else
                guard->setCurrentIndex(index);
        });
    connect(box, &QComboBox::currentTextChanged, this, &EditorDraft::changed);
}

void EditorDraft::addField(const QString& key, QAbstractButton* checkable)
{
    QPointer<QAbstractButton> guard(checkable);
    addField(
        key, [guard]() -> QJsonValue { return guard && guard->isChecked(); },
        [guard](const QJsonValue& value) {
            // A click, not setChecked: the editor reacts as to the user's choice.
            if (guard && guard->isChecked() != value.toBool())
                guard->click();
        });
    connect(checkable, &QAbstractButton::toggled, this, &EditorDraft::changed);
}

void EditorDraft::watchInputs(QWidget* area)
{
    if (!area)
        return;
    for (QLineEdit* edit : area->findChildren<QLineEdit*>())
        connect(edit, &QLineEdit::textChanged, this, &EditorDraft::changed, Qt::UniqueConnection);
    for (QPlainTextEdit* edit : area->findChildren<QPlainTextEdit*>())
        connect(edit, &QPlainTextEdit::textChanged, this, &EditorDraft::changed, Qt::UniqueConnection);
    for (QComboBox* box : area->findChildren<QComboBox*>())
        connect(box, &QComboBox::currentTextChanged, this, &EditorDraft::changed, Qt::UniqueConnection);
    for (QAbstractButton* button : area->findChildren<QAbstractButton*>()) {
        if (button->isCheckable())
            connect(button, &QAbstractButton::toggled, this, &EditorDraft::changed, Qt::UniqueConnection);
    }
}

void EditorDraft::addField(const QString& key, const Read& read, const Write& write)
{
    m_fields.append({key, read, write, false, {}});
}

void EditorDraft::addPictures(const QString& key, const std::function<QStringList()>& read,
                              const std::function<void(const QStringList&)>& write, PhotoWork* work,
                              const std::function<void(const QStringList&)>& recompress)
{
    QPointer<PhotoWork> source(work);
    Field field;
    field.key = key;
    field.read = [read, source]() -> QJsonValue {
        QJsonArray pictures;
        for (const QString& picture : read()) {
            const QString picked = source ? source->sourceOf(picture) : QString();
            pictures.append(QJsonObject{{QStringLiteral("path"), picture}, {QStringLiteral("source"), picked}});
        }
        return pictures;
    };
    field.write = [write](const QJsonValue& value) {
        QStringList kept;
        for (const QJsonValue& picture : value.toArray()) {
            const QString path = picture.toObject().value(QStringLiteral("path")).toString();
            if (!path.isEmpty() && missingFiles({path}).isEmpty())
                kept.append(path);
        }
        write(kept);
    };
    field.pictures = true;
    field.recompress = recompress;
    m_fields.append(field);
}

QStringList EditorDraft::missingFiles(const QStringList& pictures)
{
    QStringList missing;
    for (const QString& picture : pictures) {
        if (!picture.isEmpty() && isLocalFile(picture) && !QFileInfo::exists(localPath(picture)))
            missing.append(picture);
    }
    return missing;
}

AlertWidget* EditorDraft::offer() const
{
    return m_offer;
}

void EditorDraft::startWhenShown()
{
    m_startOnShow = true;
    if (m_editor && m_editor->isVisible())
        start();
}

void EditorDraft::start()
{
    m_started = true;
    QWidget* window = m_editor ? m_editor->window() : nullptr;
    if (window != m_window) {
        if (m_window)
            m_window->removeEventFilter(this);
        m_window = window;
        if (window && window != m_editor)
            window->installEventFilter(this);
    }
    m_baseline = snapshot();
    m_current = m_baseline;
    m_written = m_baseline;
    m_timer->stop();
    if (m_offer)
        m_offer->closeWidget();

    DraftStore store;
    const DraftStore::Draft draft = store.read(m_editorName, m_record);
    if (!draft.found)
        return;
    if (draft.fields == m_baseline) {
        store.remove(m_editorName, m_record);
        return;
    }
    m_written = draft.fields;
    m_offered = draft.fields;
    const QString when = draft.savedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    AlertWidget* offer = AlertWidget::askConfirm(QStringLiteral("有一份未保存的草稿（%1），是否恢复？").arg(when),
                                                 AlertWidget::Tip, QStringLiteral("恢复草稿"),
                                                 SaveOutcome::windowNameOf(m_editor));
    offer->setCancelButton(QStringLiteral("放弃草稿"));
    m_offer = offer;
    connect(offer, &AlertWidget::sureClick, this, &EditorDraft::restore);
    connect(offer, &AlertWidget::cancleClick, this, [this]() {
        m_offered = QJsonObject();
        discard();
    });
}

void EditorDraft::restore()
{
    if (m_offered.isEmpty())
        return;
    const QJsonObject fields = m_offered;
    m_offered = QJsonObject();
    QStringList missing;
    bool recompressing = false;
    m_restoring = true;
    for (const Field& field : qAsConst(m_fields)) {
        if (!fields.contains(field.key))
            continue;
        const QJsonValue value = fields.value(field.key);
        QStringList again;
        if (field.pictures) {
            for (const QJsonValue& entry : value.toArray()) {
                const QString path = entry.toObject().value(QStringLiteral("path")).toString();
                const QString picked = entry.toObject().value(QStringLiteral("source")).toString();
                if (missingFiles({path}).isEmpty())
                    continue;
                if (field.recompress && !picked.isEmpty() && QFileInfo::exists(picked))
                    again.append(picked);
                else
                    missing.append(picked.isEmpty() ? path : picked);
            }
        }
        field.write(value);
        if (!again.isEmpty()) {
            field.recompress(again);
            recompressing = true;
        }
    }
    m_restoring = false;
    m_current = snapshot();
    // What the form now shows is the draft, less any picture that is gone. Pictures compressed
    // anew write it when they come; until then the stored draft still names them.
    if (!recompressing)
        writeNow();
    if (!missing.isEmpty()) {
        QStringList names;
        for (const QString& path : qAsConst(missing))
            names.append(QFileInfo(localPath(path)).fileName());
        AlertWidget::showWarning(QStringLiteral("以下图片已不存在，未能恢复：%1").arg(names.join(QStringLiteral("、"))),
                                 SaveOutcome::windowNameOf(m_editor));
    }
    emit restored(missing);
}

QJsonObject EditorDraft::snapshot() const
{
    QJsonObject fields;
    for (const Field& field : m_fields)
        fields.insert(field.key, field.read());
    return fields;
}

bool EditorDraft::hasUnsavedChanges() const
{
    return m_started && snapshot() != m_baseline;
}

void EditorDraft::saved(const QString& record, const QJsonObject& fields)
{
    const QString key = recordKey(record);
    DraftStore().remove(m_editorName, key);
    if (key != m_record)
        return;
    m_timer->stop();
    m_baseline = fields;
    m_written = fields;
    // Typed while the save was on its way: kept as a draft again.
    if (m_started && snapshot() != m_baseline)
        changed();
}

void EditorDraft::discard()
{
    m_timer->stop();
    // Given up: what the form shows now is not written again unless it changes.
    m_current = snapshot();
    m_written = m_current;
    DraftStore().remove(m_editorName, m_record);
}

void EditorDraft::flush()
{
    if (m_timer->isActive())
        writeNow();
}

void EditorDraft::changed()
{
    if (!m_started || m_restoring)
        return;
    m_current = snapshot();
    m_timer->start();
}

void EditorDraft::writeNow()
{
    m_timer->stop();
    DraftStore store;
    if (m_current == m_baseline)
        store.remove(m_editorName, m_record);
    else
        store.write(m_editorName, m_record, m_current);
    m_written = m_current;
}

bool EditorDraft::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_editor && event->type() == QEvent::Show && m_startOnShow && !m_started)
        start();
    // A close, unlike a hide, never comes from a widget being destroyed: the fields are whole.
    if (watched == m_window && event->type() == QEvent::Close)
        windowClosing();
    return QObject::eventFilter(watched, event);
}

void EditorDraft::windowClosing()
{
    if (!m_started || m_restoring)
        return;
    // Read afresh: some changes (a drag in a grid) come without a signal.
    m_current = snapshot();
    // A draft left unanswered in the offer stays until the form differs from it.
    if (m_timer->isActive() || (m_current != m_written && m_current != m_baseline))
        writeNow();
}

QList<EditorDraft*> EditorDraft::draftsOf(const QWidget* editor)
{
    return editor ? editor->findChildren<EditorDraft*>(QString(), Qt::FindDirectChildrenOnly) : QList<EditorDraft*>();
}

void EditorDraft::closeAsking(QWidget* window, const std::function<void()>& close)
{
    QList<QPointer<EditorDraft>> unsaved;
    if (window) {
        for (EditorDraft* draft : window->findChildren<EditorDraft*>()) {
            if (draft->hasUnsavedChanges())
                unsaved.append(draft);
        }
    }
    if (unsaved.isEmpty()) {
        close();
        return;
    }
    AlertWidget* ask = AlertWidget::askConfirm(QStringLiteral("放弃未保存的修改？"), AlertWidget::Warning, QString(),
                                               SaveOutcome::windowNameOf(window));
    QPointer<QWidget> guard(window);
    QObject::connect(ask, &AlertWidget::sureClick, window, [unsaved, guard, close]() {
        for (const QPointer<EditorDraft>& draft : unsaved) {
            if (draft)
                draft->discard();
        }
        if (guard)
            close();
    });
}
