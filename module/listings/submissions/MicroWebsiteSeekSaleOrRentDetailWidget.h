#ifndef MICROWEBSITESEEKSALEORRENTDETAILWIDGET_H
#define MICROWEBSITESEEKSALEORRENTDETAILWIDGET_H

#include "listings/submissions/MicroWebSiteSeekSaleOrRentList_Model.h"

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class MicroWebsiteSeekSaleOrRentDetailWidget;
}

// A visitor's demand to buy or to rent, and "一键保存" that copies it into the customer book.
class MicroWebsiteSeekSaleOrRentDetailWidget : public QWidget
{
    Q_OBJECT
public:
    // The widest the name and the phone may be in the name line, in pixels.
    static constexpr int NameWidth = 300;
    static constexpr int PhoneWidth = 160;

    explicit MicroWebsiteSeekSaleOrRentDetailWidget(QWidget* parent = nullptr);
    ~MicroWebsiteSeekSaleOrRentDetailWidget() override;

    // type: 0 wants to buy, 1 wants to rent.
    void setData(int type, const MicroWebSiteSeekSaleOrRentList_Model::ListData& record);

    // The name line: name, "先生" or "女士", and phone, as rich text.
    static QString nameLine(const MicroWebSiteSeekSaleOrRentList_Model::ListData& record);

public slots:
    void saveToCustomerBook();

private:
    QScopedPointer<Ui::MicroWebsiteSeekSaleOrRentDetailWidget> ui;
    MicroWebSiteSeekSaleOrRentList_Model::ListData m_record;
    int m_type = 0;
};

#endif // MICROWEBSITESEEKSALEORRENTDETAILWIDGET_H
