#ifndef PHOTOWORKWAIT_H
#define PHOTOWORKWAIT_H

#include "widgets/lists/QProgressIndicator.h"

#include <QObject>
#include <QPointer>
#include <QString>

class PhotoWork;
class QWidget;

// The wait an editor shows while its pictures are compressed and uploaded: one indicator over the
// editor that carries the work's stage ("压缩中 2/6", "上传中 3/6"), and a failed upload said in one
// alert over the editor's window, naming the photo and the reason, with the indicator gone, so the
// form is usable again at once.
class PhotoWorkWait : public QObject
{
    Q_OBJECT
public:
    explicit PhotoWorkWait(QWidget* over);

    // Follows a work's stages and failures.
    void follow(PhotoWork* work);
    // Shows the indicator (or changes its words when it is already there).
    void show(const QString& text = QString());
    void stop();
    QProgressIndicator* indicator() const { return m_indicator; }

private:
    QWidget* m_over = nullptr;
    QPointer<QProgressIndicator> m_indicator;
};

#endif // PHOTOWORKWAIT_H
