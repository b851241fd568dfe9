#include "content/topics/MicroWebsiteNewsThemeListItemView.h"

#include "listings/common/DisplayText.h"
#include "net/pictures/ImageShowLabel.h"
#include "widgets/inputs/OmitLabel.h"
#include "widgets/popups/AlertWidget.h"

#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

MicroWebsiteNewsThemeListItemView::MicroWebsiteNewsThemeListItemView(const QVariantMap& row, QWidget* parent)
    : QWidget(parent)
    , m_row(row)
{
    setObjectName(QStringLiteral("MicroWebsiteNewsThemeListItemView"));
    setFixedHeight(72);
    auto* icon = new ImageShowLabel(this);
    icon->setFixedSize(56, 56);
    icon->setShowPlaceholder(true);
    icon->loadServiceImage(row.value(QStringLiteral("img")).toString());

    auto label = [this](const QString& name, const QString& text) {
        auto* omit = new OmitLabel(this);
        omit->setObjectName(name);
        omit->setText(text);
        return omit;
    };
    auto* titles = new QVBoxLayout;
    OmitLabel* title = label(QStringLiteral("titleLabel"), row.value(QStringLiteral("title")).toString());
    title->setStyleSheet(QStringLiteral("font-weight:bold;color:#333333;"));
    titles->addWidget(title);
    titles->addWidget(label(QStringLiteral("subtitleLabel"), row.value(QStringLiteral("title_one")).toString()));

    m_sort = new QLineEdit(this);
    m_sort->setObjectName(QStringLiteral("sortEdit"));
    m_sort->setFixedSize(60, 28);
    m_sort->setAlignment(Qt::AlignCenter);
    m_sort->setToolTip(QStringLiteral("排序值，修改后按回车或离开输入框保存"));
    m_storedSort = row.value(QStringLiteral("sort")).toString();
    m_sort->setText(m_storedSort);
    // Return and leaving the box both save: a value typed and left must not stay on screen unsaved.
    connect(m_sort, &QLineEdit::editingFinished, this, &MicroWebsiteNewsThemeListItemView::commitSort);

    auto* edit = new QPushButton(QStringLiteral("编辑"), this);
    edit->setObjectName(QStringLiteral("editButton"));
    auto* remove = new QPushButton(QStringLiteral("删除"), this);
    remove->setObjectName(QStringLiteral("deleteButton"));
    for (QPushButton* button : {edit, remove}) {
        button->setFixedSize(44, 26);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QPushButton{border:none;color:#3e8ef7;background:transparent;}"));
    }
    connect(edit, &QPushButton::clicked, this, &MicroWebsiteNewsThemeListItemView::editItem);
    connect(remove, &QPushButton::clicked, this, &MicroWebsiteNewsThemeListItemView::deleteItem);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 8, 20, 8);
    layout->setSpacing(12);
    layout->addWidget(icon);
    layout->addLayout(titles, 4);
    layout->addWidget(label(QStringLiteral("houseCountLabel"), houseCountText()), 1);
    layout->addWidget(label(QStringLiteral("hitsLabel"), DisplayText::orDash(row.value(QStringLiteral("hits")).toString())), 1);
    layout->addWidget(label(QStringLiteral("timeLabel"), DisplayText::orDash(row.value(QStringLiteral("time")).toString())), 2);
    layout->addWidget(m_sort);
    layout->addWidget(edit);
    layout->addWidget(remove);
}

QList<QVariantMap> MicroWebsiteNewsThemeListItemView::linkedHouses(const QVariantMap& row)
{
    QList<QVariantMap> houses;
    const QJsonArray array = QJsonDocument::fromJson(row.value(QStringLiteral("houseid")).toString().toUtf8()).array();
    for (const QJsonValue& value : array) {
        if (value.isObject())
            houses.append(value.toObject().toVariantMap());
    }
    return houses;
}

QString MicroWebsiteNewsThemeListItemView::houseCountText() const
{
    return QStringLiteral("%1套房源").arg(linkedHouses(m_row).size());
}

void MicroWebsiteNewsThemeListItemView::commitSort()
{
    const QString text = m_sort->text().trimmed();
    if (text == m_storedSort || (!m_sentSort.isEmpty() && text == m_sentSort))
        return;
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok) {
        // Put back first: the alert takes the focus, which finishes the editing once more.
        m_sort->setText(m_sentSort.isEmpty() ? m_storedSort : m_sentSort);
        AlertWidget::showWarning(QStringLiteral("排序值只能是整数，请重新输入"));
        return;
    }
    const QString sort = QString::number(value);
    m_sort->setText(sort);
    if (sort == m_storedSort || sort == m_sentSort)
        return;
    m_sentSort = sort;
    emit changeSort(sort);
}

void MicroWebsiteNewsThemeListItemView::restoreSort()
{
    m_sentSort.clear();
    m_sort->setText(m_storedSort);
}
