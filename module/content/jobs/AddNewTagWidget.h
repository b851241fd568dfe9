#ifndef ADDNEWTAGWIDGET_H
#define ADDNEWTAGWIDGET_H

#include <QWidget>

class QLineEdit;

// The small form in which a job tag is typed. A tag with a comma is refused here: the tags are
// stored joined by commas, so it would come back as two.
class AddNewTagWidget : public QWidget
{
    Q_OBJECT
public:
    explicit AddNewTagWidget(QWidget* parent = nullptr);

    QString text() const;
    QLineEdit* lineEdit() const { return m_edit; }

signals:
    void sureClick();
    void closeWidget();

private:
    void confirm();

    QLineEdit* m_edit = nullptr;
};

#endif // ADDNEWTAGWIDGET_H
