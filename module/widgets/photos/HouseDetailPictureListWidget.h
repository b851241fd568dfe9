#ifndef HOUSEDETAILPICTURELISTWIDGET_H
#define HOUSEDETAILPICTURELISTWIDGET_H

#include <QWidget>

class ImageShowLabel;
class QLabel;
class QLineEdit;
class QPushButton;

// One photo tile of the editors: the picture, its number, an optional caption and a delete button
// that appears while the pointer is over the tile.
class HouseDetailPictureListWidget : public QWidget
{
    Q_OBJECT
public:
    explicit HouseDetailPictureListWidget(QWidget* parent = nullptr);

    // A local file or an address on the service.
    void setPhoto(const QString& path);
    QString photo() const { return m_path; }
    void setNumber(int number);
    QString numberText() const;
    void setCaptionVisible(bool visible);
    void setCaption(const QString& text);
    void setChooseIndex(int index) { m_chooseIndex = index; }

signals:
    void clickPicture(int chooseIndex);
    void deletePic();
    void titleNameChange(QString text);

protected:
    void enterEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    ImageShowLabel* m_picture = nullptr;
    QLabel* m_number = nullptr;
    QLineEdit* m_caption = nullptr;
    QPushButton* m_delete = nullptr;
    QString m_path;
    int m_chooseIndex = 0;
};

#endif // HOUSEDETAILPICTURELISTWIDGET_H
