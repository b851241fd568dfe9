#ifndef HELPQUESTIONWIDGET_H
#define HELPQUESTIONWIDGET_H

#include "kq_base_export.h"

#include <QToolButton>

// A small "?" button; the host chooses its help text by tip id.
class KQ_BASE_EXPORT HelpQuestionWidget : public QToolButton
{
    Q_OBJECT
public:
    explicit HelpQuestionWidget(QWidget* parent = nullptr);

    void setTipId(int id);
    int tipId() const { return m_tipId; }

    static QString tipText(int id);

private:
    int m_tipId = 0;
};

#endif // HELPQUESTIONWIDGET_H
