#ifndef SAVEOUTCOME_H
#define SAVEOUTCOME_H

#include <QString>

class AlertWidget;
class NetRequestObjecet;
class QAbstractButton;
class QWidget;

// How a save ends, told the same way by every editor: a success is confirmed (a toast, or the tip
// alert of the settings pages), a failure is said in an alert with the reason, centred over the
// editor's window. The form is left as typed and the save button is usable again once the reply
// is in, so the user can simply try again.
class SaveOutcome
{
public:
    enum class Confirmation { Toast, Tip };

    // Follows one save request; call it right after sending. `button` (may be null) is disabled
    // until the reply. An empty successText confirms nothing (a choice saved on click). A refusal
    // the request object already told the user about (a 405 warning, a lost login) gets no second
    // alert.
    static void follow(NetRequestObjecet* request, QWidget* editor, const QString& successText,
                       QAbstractButton* button = nullptr, Confirmation confirmation = Confirmation::Toast);

    // A failure of the editor's work said in an error alert over the editor's window (on the host
    // window `windowName`, by default the editor's own).
    static AlertWidget* showFailure(const QString& text, QWidget* editor, const QString& windowName = QString());
    // "保存失败：" and the request's reason.
    static QString failureText(const NetRequestObjecet& request);
    // The name of the host window the editor speaks for: its popup frame's, else "main".
    static QString windowNameOf(const QWidget* editor);

private:
    SaveOutcome() = delete;
};

#endif // SAVEOUTCOME_H
