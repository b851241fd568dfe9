#ifndef REQUESTWAIT_H
#define REQUESTWAIT_H

#include <QString>

class FormBody;
class ListPager;
class NetRequestObjecet;
class QObject;
class QWidget;

// The pages' one way to ask the service while showing that they wait: the wait indicator lies over
// `waitOver` until the reply, and the request object goes once it has answered. Callers connect
// loadSuccess to what follows; they must not keep the pointer.
class RequestWait
{
public:
    // A list's page, through its pager (newest request wins).
    static NetRequestObjecet* sendPage(ListPager* pager, const QString& url, const FormBody& body, QWidget* waitOver);
    // Any other request, owned by `owner` until it has answered. `dark` lays a dimming shade.
    static NetRequestObjecet* send(QObject* owner, const QString& url, const FormBody& body, QWidget* waitOver,
                                   const QString& waitText = QString(), bool dark = false);

private:
    RequestWait() = delete;
};

#endif // REQUESTWAIT_H
