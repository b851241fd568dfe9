#ifndef MIRCROWEBSITEFINANCIALLISTWIDGET_H
#define MIRCROWEBSITEFINANCIALLISTWIDGET_H

#include "listings/common/CardListPage.h"
#include "listings/financial/FinancialProductList_Model.h"

#include <QJsonValue>
#include <QList>

class CustomComboBox;
class FormBody;
class QLineEdit;

// The loan products on the site, five to a page as cards, filtered by loan type, repayment way,
// name, amount and put-up state. A click on a card opens the product in the financial component;
// the operation bar offers the visitors' loan applications.
class MircroWebSiteFinancialListWidget : public CardListPage
{
    Q_OBJECT
public:
    // What the filter bar asks for; empty texts and status -1 send nothing.
    struct Filter
    {
        QString loanType;
        QString repayment;
        QString key;
        QString amountLow;
        QString amountHigh;
        int status = -1; // 1 put up, 0 not put up
        FormBody body(int pageIndex, int pageSize) const;
    };

    explicit MircroWebSiteFinancialListWidget(QWidget* parent = nullptr);

    Filter currentFilter() const;
    QList<FinancialProductList_Model::ListData> products() const { return m_products; }

signals:
    // A reply's products are on screen.
    void refresh();

public slots:
    void downloadComboxList();
    void deal_comboboxData(const QJsonValue& value);
    void downloadData();
    void deal_ListData(const QJsonValue& value);
    void showListView();
    void clickItem(const FinancialProductList_Model::ListData& model);
    void moveTopDeal(const FinancialProductList_Model::ListData& model);
    void moveUpDeal(const FinancialProductList_Model::ListData& model);
    void moveDownDeal(const FinancialProductList_Model::ListData& model);
    void putDownOrUpHouse(const FinancialProductList_Model::ListData& model);
    void listSort(const FinancialProductList_Model::ListData& model, int id, int type);

protected:
    void reloadList() override;

private:
    CustomComboBox* m_loanType;
    CustomComboBox* m_repayment;
    CustomComboBox* m_status;
    QLineEdit* m_key;
    QLineEdit* m_amountLow = nullptr;
    QLineEdit* m_amountHigh = nullptr;
    QList<FinancialProductList_Model::ListData> m_products;
};

#endif // MIRCROWEBSITEFINANCIALLISTWIDGET_H
