#ifndef BASEMESSAGE_SQLTABLE_H
#define BASEMESSAGE_SQLTABLE_H

#include "store/BaseSqlObject.h"

#include <QVariantMap>

// The company's base settings (districts, job roles, ...) as the host stored them.
class BaseMessage_SqlTable : public BaseSqlObject
{
    Q_OBJECT
public:
    explicit BaseMessage_SqlTable(QObject* parent = nullptr);

    QList<QVariantMap> getAreaList();
    QList<QVariantMap> getJobList();

    // The unscrambled text of one column of the settings row; empty when there is none.
    QString columnText(const QString& column);
};

#endif // BASEMESSAGE_SQLTABLE_H
