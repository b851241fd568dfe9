#ifndef MICROWEBSITETOPOPERATEVIEW_H
#define MICROWEBSITETOPOPERATEVIEW_H

#include <QScopedPointer>
#include <QWidget>

#include <functional>

namespace Ui {
class MicroWebsiteTopOperateView;
}

// The operation bar over the main page and the listing pages: refresh, financial customers,
// opening steps and the settings button. What the financial-customer and opening-steps buttons
// show are pages above the widget kit: the module's start-up supplies them.
class MicroWebsiteTopOperateView : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteTopOperateView(QWidget* parent = nullptr);
    ~MicroWebsiteTopOperateView() override;

    void showFinancilCustomerButton();

    // Makes the content of a popup; null makes nothing.
    using ContentMaker = std::function<QWidget*()>;
    static void setFinancialCustomerContent(ContentMaker maker);
    static void setStepContent(ContentMaker maker);

signals:
    void refresh();

public slots:
    void openFinancilCustomer();
    void openStep();
    void setOpen();

private:
    QScopedPointer<Ui::MicroWebsiteTopOperateView> ui;
};

#endif // MICROWEBSITETOPOPERATEVIEW_H
