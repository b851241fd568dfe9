#include "widgets/popups/SaveOutcome.h"

#include "net/http/NetRequestObjecet.h"
#include "widgets/drafts/EditorDraft.h"
#include "widgets/popups/AlertFlashWidget.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"

#include "DataCenter.h"

#include <QAbstractButton>
#include <QJsonObject>
#include <QPointer>

namespace {

constexpr int kToastTime = 2000;

// The request object answers these itself: a 405 with a warning of the service's message, a 400
// with the host's login dialog.
bool alreadyTold(const NetRequestObjecet& request, int code)
{
    return request.showAlert() && (code == 405 || code == 400) && !request.message().isEmpty();
}

} // namespace

void SaveOutcome::follow(NetRequestObjecet* request, QWidget* editor, const QString& successText,
                         QAbstractButton* button, Confirmation confirmation)
{
    if (!request)
        return;
    const QString windowName = windowNameOf(editor);
    QPointer<QWidget> watched(editor);

    if (button) {
        button->setEnabled(false);
        QPointer<QAbstractButton> again(button);
        QObject::connect(request, &NetRequestObjecet::loadFinish, request, [again] {
            if (again)
                again->setEnabled(true);
        });
    }

    // What is sent now is what the service will hold: the drafts of the record go with its save.
    for (EditorDraft* draft : EditorDraft::draftsOf(editor)) {
        QPointer<EditorDraft> kept(draft);
        const QString record = draft->record();
        const QJsonObject fields = draft->snapshot();
        QObject::connect(request, &NetRequestObjecet::loadSuccess, request, [kept, record, fields] {
            if (kept)
                kept->saved(record, fields);
        });
    }

    if (!successText.isEmpty()) {
        QObject::connect(request, &NetRequestObjecet::loadSuccess, request, [successText, windowName, confirmation] {
            if (confirmation == Confirmation::Tip) {
                AlertWidget::showTip(successText, windowName);
                return;
            }
            // Over the window the editor belongs to: the editor's own popup usually closes now.
            AlertFlashWidget::showSuccess(successText, kToastTime, DataCenter::getWindowsFromName(windowName).value(0));
        });
    }

    QObject::connect(request, &NetRequestObjecet::loadFail, request, [request, watched, windowName](int code) {
        if (alreadyTold(*request, code))
            return;
        showFailure(failureText(*request), watched, windowName);
    });
}

AlertWidget* SaveOutcome::showFailure(const QString& text, QWidget* editor, const QString& windowName)
{
    AlertWidget* alert = AlertWidget::showError(text, windowName.isEmpty() ? windowNameOf(editor) : windowName);
    // In the window where the save was asked for, which may lie away from the host's window.
    if (editor && editor->window()->isVisible()) {
        const QWidget* window = editor->window();
        const QPoint centre = window->mapToGlobal(window->rect().center());
        alert->move(centre - QPoint(alert->width() / 2, alert->height() / 2));
    }
    return alert;
}

QString SaveOutcome::failureText(const NetRequestObjecet& request)
{
    const QString reason = request.failureReason();
    if (reason.isEmpty())
        return QStringLiteral("保存失败，请稍后重试");
    return QStringLiteral("保存失败：%1").arg(reason);
}

QString SaveOutcome::windowNameOf(const QWidget* editor)
{
    if (editor) {
        if (const auto* frame = qobject_cast<const CommonAddWidget*>(editor->window()))
            return frame->windowName();
    }
    return QStringLiteral("main");
}
