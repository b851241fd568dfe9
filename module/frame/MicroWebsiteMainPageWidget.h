#ifndef MICROWEBSITEMAINPAGEWIDGET_H
#define MICROWEBSITEMAINPAGEWIDGET_H

#include "frame/MircroWebsiteOperateList_Model.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QWidget>

class ItemButtonWidget;
class LoadFailedView;
class MicroWebsiteTopOperateView;
class QGridLayout;

// The module's home tab: the company's function tiles and the built-in ones, seven to a row.
class MicroWebsiteMainPageWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteMainPageWidget(QWidget* parent = nullptr);

    static constexpr int TilesPerRow = 7;
    static constexpr int MaxCustomApps = 10;
    // Tiles of one reply shown at most.
    static constexpr int MaxServiceTiles = 200;

    // The tiles in grid order, as the last successful reply gave them.
    QList<MircroWebsiteOperateList_Model::ListData> tiles() const { return m_tiles; }
    QWidget* tileArea() const { return m_tileArea; }
    MicroWebsiteTopOperateView* operateView() const { return m_operateView; }

    // The built-in tiles around the service's, in grid order.
    static QList<MircroWebsiteOperateList_Model::ListData> arrangeTiles(
        const QList<MircroWebsiteOperateList_Model::ListData>& serviceTiles);
    static int areaMinimumHeight(int tileCount);

signals:
    void clickID(int id, const QString& title);

public slots:
    void downloadMainData();
    void deal_appList(const QJsonValue& value);

private:
    void tileClicked(const MircroWebsiteOperateList_Model::ListData& tile);
    void openCustomApp(const MircroWebsiteOperateList_Model::ListData& tile);
    void dealLoadFail(const QString& reason);
    void showTiles(const QList<MircroWebsiteOperateList_Model::ListData>& serviceTiles);

    MicroWebsiteTopOperateView* m_operateView;
    QWidget* m_tileArea;
    QGridLayout* m_grid;
    QList<QPointer<ItemButtonWidget>> m_buttons;
    QList<MircroWebsiteOperateList_Model::ListData> m_tiles;
    LoadFailedView* m_loadFailed;
    bool m_serviceTilesShown = false;
};

#endif // MICROWEBSITEMAINPAGEWIDGET_H
