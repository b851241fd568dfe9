#include "widgets/photos/HouseDetailPictureListWidget.h"

#include "net/pictures/ImageShowLabel.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

HouseDetailPictureListWidget::HouseDetailPictureListWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("HouseDetailPictureListWidget"));
    setFixedSize(390, 250);
    m_picture = new ImageShowLabel(this);
    m_picture->setFixedSize(390, 220);
    m_picture->setShowPlaceholder(true);
    m_number = new QLabel(this);
    m_number->setObjectName(QStringLiteral("numberLabel"));
    m_number->setAlignment(Qt::AlignCenter);
    m_number->setFixedSize(24, 24);
    m_number->setStyleSheet(QStringLiteral("background:rgba(0,0,0,120);color:white;border-radius:12px;"));
    m_number->move(6, 6);
    m_caption = new QLineEdit(this);
    m_caption->setPlaceholderText(QStringLiteral("图片说明"));
    m_delete = new QPushButton(this);
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    m_delete->setToolTip(QStringLiteral("删除"));
    m_delete->setCursor(Qt::PointingHandCursor);
    m_delete->setFixedSize(20, 20);
    m_delete->setStyleSheet(QStringLiteral("QPushButton{border-image:url(://res/icon_deleteTag.png);border:none;}"));
    m_delete->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(m_picture);
    layout->addWidget(m_caption);
    layout->addStretch();
    m_number->raise();

    connect(m_delete, &QPushButton::clicked, this, &HouseDetailPictureListWidget::deletePic);
    connect(m_picture, &ImageShowLabel::leftClick, this, [this]() { emit clickPicture(m_chooseIndex); });
    connect(m_caption, &QLineEdit::editingFinished, this, [this]() { emit titleNameChange(m_caption->text()); });
}

void HouseDetailPictureListWidget::setPhoto(const QString& path)
{
    m_path = path;
    if (ImageShowLabel::isAddress(path))
        m_picture->loadServiceImage(path);
    else
        m_picture->loadImage(path);
}

void HouseDetailPictureListWidget::setNumber(int number)
{
    m_number->setText(QString::number(number));
}

QString HouseDetailPictureListWidget::numberText() const
{
    return m_number->text();
}

void HouseDetailPictureListWidget::setCaptionVisible(bool visible)
{
    m_caption->setVisible(visible);
    setFixedHeight(visible ? 250 : 220);
}

void HouseDetailPictureListWidget::setCaption(const QString& text)
{
    m_caption->setText(text);
}

void HouseDetailPictureListWidget::enterEvent(QEvent* event)
{
    QWidget::enterEvent(event);
    m_delete->move(width() - m_delete->width() - 6, 6);
    m_delete->show();
    m_delete->raise();
}

void HouseDetailPictureListWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    m_delete->hide();
}
