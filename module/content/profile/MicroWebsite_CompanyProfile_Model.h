#ifndef MICROWEBSITE_COMPANYPROFILE_MODEL_H
#define MICROWEBSITE_COMPANYPROFILE_MODEL_H

#include <QJsonValue>
#include <QObject>
#include <QString>
#include <QStringList>

// Reads the reply of "mtore/companyinfo": the introduction, address, telephone and photo addresses.
class MicroWebsite_CompanyProfile_Model : public QObject
{
    Q_OBJECT
public:
    explicit MicroWebsite_CompanyProfile_Model(const QJsonValue& value, QObject* parent = nullptr);

    void getData(QString* content, QString* address, QString* tel, QStringList* photos) const;

private:
    QString m_content;
    QString m_address;
    QString m_tel;
    QStringList m_photos;
};

#endif // MICROWEBSITE_COMPANYPROFILE_MODEL_H
