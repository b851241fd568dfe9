#ifndef MICROWEBSITETOPOPERATEVIEW_H
#define MICROWEBSITETOPOPERATEVIEW_H

#include <QScopedPointer>
#include <QWidget>

namespace Ui {
class MicroWebsiteTopOperateView;
}

// The operation bar over the main page and the listing pages: refresh, financial customers,
// opening steps and the settings button.
class MicroWebsiteTopOperateView : public QWidget
{
    Q_OBJECT
public:
    explicit MicroWebsiteTopOperateView(QWidget* parent = nullptr);
    ~MicroWebsiteTopOperateView() override;

    void showFinancilCustomerButton();

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
