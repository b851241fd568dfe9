#include "widgets/lists/RequestWait.h"

#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"
#include "net/paging/ListPager.h"
#include "widgets/lists/QProgressIndicator.h"

NetRequestObjecet* RequestWait::sendPage(ListPager* pager, const QString& url, const FormBody& body, QWidget* waitOver)
{
    NetRequestObjecet* request = pager->send(url, body);
    QProgressIndicator* indicator = QProgressIndicator::showOver(waitOver, false, QString());
    QObject::connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
    return request;
}

NetRequestObjecet* RequestWait::send(QObject* owner, const QString& url, const FormBody& body, QWidget* waitOver,
                                     const QString& waitText, bool dark)
{
    auto* request = new NetRequestObjecet(owner);
    QProgressIndicator* indicator = QProgressIndicator::showOver(waitOver, dark, waitText);
    QObject::connect(request, &NetRequestObjecet::loadFinish, indicator, &QProgressIndicator::stopAnimation);
    QObject::connect(request, &NetRequestObjecet::loadFinish, request, &QObject::deleteLater);
    request->sendForm(url, body);
    return request;
}
