#include "frame/MicroWebsiteMainPageWidget.h"

#include "content/ads/MicroWebsiteScrollAdsWidget.h"
#include "content/jobs/JoinUsListWidget.h"
#include "content/profile/CompanyProfileWidget.h"
#include "net/http/Endpoints.h"
#include "net/http/NetRequestObjecet.h"
#include "settings/apps/MircroWebSiteAddCustomAppWidget.h"
#include "store/FunctionRights.h"
#include "widgets/bars/MicroWebsiteTopOperateView.h"
#include "widgets/lists/LoadFailedView.h"
#include "widgets/lists/QProgressIndicator.h"
#include "widgets/popups/AlertWidget.h"
#include "widgets/popups/CommonAddWidget.h"
#include "widgets/popups/PopupLauncher.h"
#include "widgets/tiles/ItemButtonWidget.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

using Tile = MircroWebsiteOperateList_Model::ListData;

MicroWebsiteMainPageWidget::MicroWebsiteMainPageWidget(QWidget* parent)
    : QWidget(parent)
    , m_operateView(new MicroWebsiteTopOperateView(this))
    , m_tileArea(new QWidget)
    , m_grid(new QGridLayout(m_tileArea))
    , m_loadFailed(new LoadFailedView(this))
{
    setObjectName(QStringLiteral("MicroWebsiteMainPageWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#MicroWebsiteMainPageWidget{background: rgb(246,247,249);}"));

    m_tileArea->setObjectName(QStringLiteral("tileArea"));
    m_tileArea->setAttribute(Qt::WA_StyledBackground);
    m_tileArea->setStyleSheet(QStringLiteral("#tileArea{background: rgb(255,255,255);}"));
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setHorizontalSpacing(10);
    m_grid->setVerticalSpacing(10);
    m_grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* heading = new QLabel(QStringLiteral("功能应用"), this);
    heading->setStyleSheet(QStringLiteral("font: bold 15px \"微软雅黑\"; color: rgb(40,40,40); background: transparent;"));

    auto* card = new QWidget(this);
    card->setObjectName(QStringLiteral("tileCard"));
    card->setAttribute(Qt::WA_StyledBackground);
    card->setStyleSheet(QStringLiteral("#tileCard{background: rgb(255,255,255); border-radius: 6px;}"));
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(24, 18, 24, 24);
    cardLayout->setSpacing(16);
    cardLayout->addWidget(heading);
    cardLayout->addWidget(m_tileArea);
    m_loadFailed->setMinimumHeight(110);
    m_loadFailed->hide();
    cardLayout->addWidget(m_loadFailed);
    cardLayout->addStretch();
    connect(m_loadFailed, &LoadFailedView::retry, this, &MicroWebsiteMainPageWidget::downloadMainData);

    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setStyleSheet(QStringLiteral("QScrollArea{background: transparent;} QScrollArea > QWidget > QWidget{background: transparent;}"));
    auto* holder = new QWidget;
    auto* holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(20, 20, 20, 20);
    holderLayout->addWidget(card);
    holderLayout->addStretch();
    scroll->setWidget(holder);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_operateView);
    layout->addWidget(scroll);

    connect(m_operateView, &MicroWebsiteTopOperateView::refresh, this, &MicroWebsiteMainPageWidget::downloadMainData);

    auto* startTimer = new QTimer(this);
    startTimer->setSingleShot(true);
    connect(startTimer, &QTimer::timeout, this, [this, startTimer] {
        startTimer->deleteLater();
        downloadMainData();
    });
    startTimer->start(50);
}

void MicroWebsiteMainPageWidget::downloadMainData()
{
    auto* request = new NetRequestObjecet(this);
    QProgressIndicator* indicator = QProgressIndicator::showOver(m_tileArea, false, QString());
    connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
    connect(request, &NetRequestObjecet::loadSuccess, this, &MicroWebsiteMainPageWidget::deal_appList);
    connect(request, &NetRequestObjecet::loadFail, this,
            [this, request] { dealLoadFail(request->failureReason()); });
    connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->sendRequest(Api::mtoreAppposts(), QByteArray(), NetRequestObjecet::Post);
}

QList<Tile> MicroWebsiteMainPageWidget::arrangeTiles(const QList<Tile>& serviceTiles)
{
    QList<Tile> tiles{MircroWebsiteOperateList_Model::builtIn(-1), MircroWebsiteOperateList_Model::builtIn(-4)};
    int customApps = 0;
    for (const Tile& tile : serviceTiles) {
        tiles.append(tile);
        if (tile.type == 1)
            ++customApps;
    }
    if (customApps < MaxCustomApps)
        tiles.append(MircroWebsiteOperateList_Model::builtIn(-2));
    return tiles;
}

int MicroWebsiteMainPageWidget::areaMinimumHeight(int tileCount)
{
    const int rows = (tileCount + TilesPerRow - 1) / TilesPerRow;
    return rows * 110 - 10;
}

void MicroWebsiteMainPageWidget::dealLoadFail(const QString& reason)
{
    // Tiles on screen stay; without any, the built-in ones still work, with the reason beside them.
    if (m_serviceTilesShown)
        return;
    if (m_tiles.isEmpty())
        showTiles({});
    m_loadFailed->setReason(reason);
    m_loadFailed->show();
}

void MicroWebsiteMainPageWidget::deal_appList(const QJsonValue& value)
{
    MircroWebsiteOperateList_Model model;
    // A faulty service could send thousands; no company has more than a few dozen.
    model.parse(value, MaxServiceTiles);
    const QList<Tile> serviceTiles = model.list();
    m_serviceTilesShown = true;
    m_loadFailed->hide();
    showTiles(serviceTiles);
}

void MicroWebsiteMainPageWidget::showTiles(const QList<Tile>& serviceTiles)
{
    for (const QPointer<ItemButtonWidget>& button : qAsConst(m_buttons)) {
        if (button) {
            m_grid->removeWidget(button);
            button->hide();
            button->deleteLater();
        }
    }
    m_buttons.clear();

    m_tiles = arrangeTiles(serviceTiles);
    for (int i = 0; i < m_tiles.size(); ++i) {
        auto* button = new ItemButtonWidget(m_tileArea);
        const Tile& tile = m_tiles.at(i);
        button->setData(tile.itemid, tile.title, tile.icon);
        m_grid->addWidget(button, i / TilesPerRow, i % TilesPerRow);
        button->show();
        connect(button, &ItemButtonWidget::clickItem, this, [this, tile]() { tileClicked(tile); });
        m_buttons.append(button);
    }
    m_tileArea->setMinimumHeight(areaMinimumHeight(m_tiles.size()));
}

void MicroWebsiteMainPageWidget::tileClicked(const Tile& tile)
{
    if (tile.type == 1) {
        openCustomApp(tile);
        return;
    }
    switch (tile.itemid) {
    case 9:
        PopupLauncher::open(QStringLiteral("公司介绍"), QSize(862, 712), new CompanyProfileWidget);
        break;
    case 10:
        PopupLauncher::open(QStringLiteral("加入我们"), QSize(862, 712), new JoinUsListWidget);
        break;
    case -1:
        PopupLauncher::open(QStringLiteral("轮播广告"), QSize(862, 712), new MicroWebsiteScrollAdsWidget);
        break;
    case -3: {
        if (!FunctionRights::siteServiceOpen(this))
            AlertWidget::showTip(QStringLiteral("您尚未开通官网服务！"), QStringLiteral("main"));
        else if (!tile.content.isEmpty())
            QDesktopServices::openUrl(QUrl::fromUserInput(tile.content));
        break;
    }
    default:
        emit clickID(tile.itemid, tile.title);
        break;
    }
}

void MicroWebsiteMainPageWidget::openCustomApp(const Tile& tile)
{
    if (!FunctionRights::isManagerRecord(this)) {
        AlertWidget::showWarning(QStringLiteral("您当前没有权利操作，请联系管理员！"), QStringLiteral("main"));
        return;
    }
    const bool adding = tile.itemid == -2;
    auto* editor = new MircroWebSiteAddCustomAppWidget;
    if (!adding)
        editor->setData(MircroWebsiteOperateList_Model::toApp(tile));
    CommonAddWidget* popup = PopupLauncher::open(adding ? QStringLiteral("添加自定义应用") : QStringLiteral("编辑自定义应用"),
                                                 QSize(577, 762), editor);
    connect(editor, &MircroWebSiteAddCustomAppWidget::setSuccess, this, [this, popup]() {
        popup->closeWidget();
        downloadMainData();
    });
}
