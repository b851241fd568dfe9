#include "content/profile/CompanyProfileWidget.h"

#include "content/profile/CompanyProfileEditWidget.h"
#include "content/profile/MicroWebsite_CompanyProfile_Model.h"
#include "listings/photos/PhotoShowWidget.h"
#include "net/http/Endpoints.h"
#include "net/http/NetRequestObjecet.h"
#include "net/pictures/ImageShowLabel.h"
#include "store/FunctionRights.h"
#include "widgets/inputs/ButtonStyles.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/photos/ShowAdsWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

const int kProfileRight = 68;
const int kRotationMs = 3500;

} // namespace

CompanyProfileWidget::CompanyProfileWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CompanyProfileWidget"));
    m_carousel = new ShowAdsWidget(this);
    m_carousel->setFixedHeight(300);
    m_carousel->setArrowsVisible(false);
    m_carousel->setPlaceholderText(QStringLiteral("暂无公司图片"));
    connect(m_carousel, &ShowAdsWidget::click, this, &CompanyProfileWidget::clickAds);

    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("descriptionLabel"));
    m_description->setTextFormat(Qt::PlainText);
    m_description->setWordWrap(true);
    m_description->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_description->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* descriptionArea = new QScrollArea(this);
    descriptionArea->setFrameShape(QFrame::NoFrame);
    descriptionArea->setWidgetResizable(true);
    descriptionArea->setWidget(m_description);

    m_addressLabel = new OmitLabel(this);
    m_addressLabel->setObjectName(QStringLiteral("addressLabel"));
    m_telLabel = new OmitLabel(this);
    m_telLabel->setObjectName(QStringLiteral("telLabel"));
    m_editButton = new QPushButton(QStringLiteral("编辑"), this);
    m_editButton->setObjectName(QStringLiteral("editButton"));
    m_editButton->setCursor(Qt::PointingHandCursor);
    m_editButton->setFixedSize(80, 30);
    m_editButton->setStyleSheet(ButtonStyles::primary());
    m_editButton->setVisible(FunctionRights::userHasRight(kProfileRight, this));
    connect(m_editButton, &QPushButton::clicked, this, &CompanyProfileWidget::editButtonClick);

    auto* footer = new QHBoxLayout;
    auto* contact = new QVBoxLayout;
    contact->addWidget(m_addressLabel);
    contact->addWidget(m_telLabel);
    footer->addLayout(contact, 1);
    footer->addWidget(m_editButton, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 10, 20, 20);
    layout->setSpacing(12);
    layout->addWidget(m_carousel);
    layout->addWidget(descriptionArea, 1);
    layout->addLayout(footer);

    m_loadFailed = LoadFailedView::over(this);
    connect(m_loadFailed, &LoadFailedView::retry, this, &CompanyProfileWidget::downloadData);
    // The editor opened before the profile was read would save an empty one over it.
    m_editButton->setEnabled(false);
    downloadData();
}

void CompanyProfileWidget::downloadData()
{
    m_loadFailed->hide();
    auto* request = new NetRequestObjecet(this);
    connect(request, &NetRequestObjecet::loadSuccess, this, &CompanyProfileWidget::deal_companyMessage);
    // A failed reload (after an edit) leaves the profile shown before.
    connect(request, &NetRequestObjecet::loadFail, this, [this, request]() {
        if (!m_loaded)
            m_loadFailed->showReason(request->failureReason());
    });
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->sendRequest(Api::mtoreCompanyinfo());
}

void CompanyProfileWidget::deal_companyMessage(QJsonValue value)
{
    const MicroWebsite_CompanyProfile_Model model(value);
    model.getData(&m_content, &m_address, &m_tel, &m_photos);

    QList<QWidget*> pictures;
    for (const QString& photo : qAsConst(m_photos)) {
        auto* label = new ImageShowLabel;
        label->setShowPlaceholder(true);
        label->setCursor(Qt::PointingHandCursor);
        label->loadServiceImage(photo);
        pictures.append(label);
    }
    m_carousel->setItems(pictures);
    m_carousel->startRotation(pictures.size() > 1 ? kRotationMs : 0);

    m_description->setText(m_content);
    m_addressLabel->setText(QStringLiteral("地址：") + m_address);
    m_telLabel->setText(QStringLiteral("电话：") + m_tel);
    m_loaded = true;
    m_editButton->setEnabled(true);
    emit profileShown();
}

void CompanyProfileWidget::editButtonClick()
{
    if (m_editorPopup)
        return;
    auto* editor = new CompanyProfileEditWidget(m_content, m_address, m_tel, m_photos);
    CommonAddWidget* popup = PopupLauncher::open(QStringLiteral("公司信息编辑"), QSize(862, 612), editor);
    m_editorPopup = popup;
    connect(editor, &CompanyProfileEditWidget::editSuccess, this, [this, popup]() {
        popup->closeWidget();
        downloadData();
    });
}

void CompanyProfileWidget::clickAds(int index)
{
    if (m_viewer)
        m_viewer->close();
    PhotoShowWidget* viewer = PhotoShowWidget::openServicePhotos(m_photos, index);
    m_viewer = viewer;
}
