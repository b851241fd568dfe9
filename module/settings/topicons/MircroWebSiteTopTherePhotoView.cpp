#include "settings/topicons/MircroWebSiteTopTherePhotoView.h"

#include "net/pictures/ImageShowLabel.h"
#include "settings/topicons/MircroWebSiteTopTherePhotoAddWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

MircroWebSiteTopTherePhotoView::MircroWebSiteTopTherePhotoView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("MircroWebSiteTopTherePhotoView"));
    setFixedSize(130, 140);
    m_image = new ImageShowLabel(this);
    m_image->setObjectName(QStringLiteral("label_image"));
    m_image->setFixedSize(130, 110);
    m_image->setShowPlaceholder(true);
    m_image->setStyleSheet(QStringLiteral("background:white;"));

    auto* bar = new QHBoxLayout;
    bar->setSpacing(0);
    const QList<QPair<QString, QString>> buttons = {{QStringLiteral("pushButton_last"), QStringLiteral("‹")},
                                                    {QStringLiteral("pushButton_edit"), QStringLiteral("编辑")},
                                                    {QStringLiteral("pushButton_next"), QStringLiteral("›")}};
    QList<QPushButton*> made;
    for (const auto& spec : buttons) {
        auto* button = new QPushButton(spec.second, this);
        button->setObjectName(spec.first);
        button->setFixedHeight(30);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QPushButton{background:rgb(11,116,255);color:white;border:none;}"
                                             "QPushButton:hover{background:rgb(45,138,255);}"));
        bar->addWidget(button, spec.first == QLatin1String("pushButton_edit") ? 2 : 1);
        made.append(button);
    }
    connect(made.at(0), &QPushButton::clicked, this, &MircroWebSiteTopTherePhotoView::moveBefore);
    connect(made.at(1), &QPushButton::clicked, this, &MircroWebSiteTopTherePhotoView::editItem);
    connect(made.at(2), &QPushButton::clicked, this, &MircroWebSiteTopTherePhotoView::moveAfter);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_image);
    layout->addLayout(bar);
}

void MircroWebSiteTopTherePhotoView::setContentData(QVariantMap map)
{
    m_data = map;
    m_image->loadServiceImage(map.value(QStringLiteral("url")).toString());
}

void MircroWebSiteTopTherePhotoView::editItem()
{
    if (m_popup)
        return;
    auto* editor = new MircroWebSiteTopTherePhotoAddWidget;
    editor->setData(m_data);
    CommonAddWidget* popup = PopupLauncher::open(QStringLiteral("编辑项目"), QSize(512, 412), editor);
    m_popup = popup;
    connect(editor, &MircroWebSiteTopTherePhotoAddWidget::setSuccess, this, [this, popup](const QVariantMap& map) {
        setContentData(map);
        popup->closeWidget();
    });
}
