#ifndef LISTCARDVIEW_H
#define LISTCARDVIEW_H

#include <QList>
#include <QSet>
#include <QStringList>
#include <QWidget>

class CustomComboBox;
class ImageShowLabel;
class OmitLabel;
class QLabel;

// One card of a card list: picture, name with type tag and "置顶" badge, three text lines, a large
// value with its commission policy, and the operation box ("操作" and the entries the user's
// rights allow, handled by operateActiveIndex). A click on the card outside the box emits
// clicked().
class ListCardView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int CardHeight = 150;
    // The cards' look, set once on the list that holds them: parsing a style sheet per card cost
    // about half of building one.
    static QString styleSheetText();

    // The user's rights among the ids a card offers, read from the local store.
    struct Rights
    {
        bool manager = false;
        QSet<int> granted;
        // A manager passes; others need one of anyOf.
        bool allows(const QList<int>& anyOf) const;
        static Rights read(const QList<int>& ids, QObject* parent);
    };

    // An entry of the operation box and the rights of which any one allows it.
    struct Operation
    {
        QString text;
        QList<int> rights;
    };

    explicit ListCardView(QWidget* parent = nullptr);

    // The entries, in order, that rights allow.
    static QStringList permitted(const QList<Operation>& operations, const Rights& rights);

    void setPicture(const QString& source);
    void setName(const QString& name);
    void setTypeText(const QString& type);
    void setBadgeVisible(bool visible);
    // line 0..2 under the name.
    void setLine(int line, const QString& text);
    // The large value (a price, a rate) followed by its unit, both set in bold; the value is the
    // service's text and shows as written, or "—" without the unit when it is missing.
    void setValue(const QString& value, const QString& unit);
    void setCommission(const QString& text);
    // "操作" followed by the entries.
    void setOperations(const QStringList& entries);
    QStringList operations() const;
    CustomComboBox* operationBox() const { return m_operationBox; }
    // Back to "操作" after an entry was chosen.
    void resetOperationBox();

signals:
    void clicked();

public slots:
    // What choosing an entry of the operation box does; the box then returns to "操作".
    virtual void operateActiveIndex(const QString& txt) = 0;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ImageShowLabel* m_picture;
    QLabel* m_name;
    QLabel* m_type;
    QLabel* m_badge;
    QList<OmitLabel*> m_lines;
    QLabel* m_value;
    OmitLabel* m_commission;
    CustomComboBox* m_operationBox;
    bool m_pressed = false;
};

#endif // LISTCARDVIEW_H
