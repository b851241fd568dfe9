#ifndef TOPICONPREVIEW_H
#define TOPICONPREVIEW_H

#include <QJsonArray>
#include <QString>

class ParamReader;
class ServiceContext;

// The top icons that the style page has not saved yet, carried by the home page's address for a
// preview: "topicons" holds the JSON text that "应用" would save. Checked as that save checks
// them, and further: each icon a kind the site knows and a picture of this company (uploaded by
// it, or one of its saved icons), so an address cannot make the site show anything else.
class TopIconPreview
{
public:
    static const QString kQueryKey;

    // The icons, in the order given; problems go to `in`. storedIcons: the saved icons' JSON text.
    static QJsonArray read(ServiceContext& context, const QString& companyId, const QString& storedIcons,
                           ParamReader& in);

private:
    TopIconPreview() = delete;
};

#endif // TOPICONPREVIEW_H
