#include "content/news/MicroWebsiteNewsListItemView.h"

#include "listings/common/DisplayText.h"
#include "net/pictures/ImageShowLabel.h"
#include "widgets/inputs/OmitLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace {

struct Column
{
    const char* name; // of the row's label
    const char* key;  // of the row's value
    int stretch;
    const char* title;
};

const Column kColumns[] = {
    {"titleLabel", "title", 4, "标题"},     {"categoryLabel", "cate_alias", 2, "类目"},
    {"sourceLabel", "come_from", 2, "来源"}, {"hitsLabel", "hits", 1, "访问量"},
    {"timeLabel", "create_time", 2, "时间"},
};
const QSize kCoverSize(84, 56);
const QSize kButtonSize(44, 26);
const int kSpacing = 12;

QHBoxLayout* rowLayout(QWidget* widget)
{
    auto* layout = new QHBoxLayout(widget);
    layout->setContentsMargins(20, 8, 20, 8);
    layout->setSpacing(kSpacing);
    return layout;
}

} // namespace

MicroWebsiteNewsListItemView::MicroWebsiteNewsListItemView(const QVariantMap& row, QWidget* parent)
    : QWidget(parent)
    , m_row(row)
    , m_edit(new QPushButton(QStringLiteral("编辑"), this))
    , m_delete(new QPushButton(QStringLiteral("删除"), this))
{
    setObjectName(QStringLiteral("MicroWebsiteNewsListItemView"));
    setFixedHeight(72);
    auto* cover = new ImageShowLabel(this);
    cover->setObjectName(QStringLiteral("coverLabel"));
    cover->setFixedSize(kCoverSize);
    cover->setShowPlaceholder(true);
    cover->loadServiceImage(row.value(QStringLiteral("img")).toString());

    QHBoxLayout* layout = rowLayout(this);
    layout->addWidget(cover);
    for (const Column& column : kColumns) {
        auto* label = new OmitLabel(this);
        label->setObjectName(QLatin1String(column.name));
        label->setText(DisplayText::orDash(row.value(QLatin1String(column.key)).toString()));
        layout->addWidget(label, column.stretch);
    }
    m_edit->setObjectName(QStringLiteral("editButton"));
    m_delete->setObjectName(QStringLiteral("deleteButton"));
    for (QPushButton* button : {m_edit, m_delete}) {
        button->setFixedSize(kButtonSize);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral("QPushButton{border:none;color:#3e8ef7;background:transparent;}"
                                             "QPushButton:hover{text-decoration:underline;}"));
        layout->addWidget(button);
    }
    connect(m_edit, &QPushButton::clicked, this, &MicroWebsiteNewsListItemView::editItem);
    connect(m_delete, &QPushButton::clicked, this, &MicroWebsiteNewsListItemView::deleteItem);
}

QWidget* MicroWebsiteNewsListItemView::createHeader(QWidget* parent)
{
    auto* header = new QWidget(parent);
    header->setObjectName(QStringLiteral("newsListHeader"));
    header->setAttribute(Qt::WA_StyledBackground);
    header->setStyleSheet(QStringLiteral("#newsListHeader{background:#f5f7fa;} QLabel{color:#666666;}"));
    header->setFixedHeight(40);
    QHBoxLayout* layout = rowLayout(header);
    layout->setContentsMargins(20, 0, 20, 0);
    auto* cover = new QLabel(QStringLiteral("封面"), header);
    cover->setFixedWidth(kCoverSize.width());
    layout->addWidget(cover);
    for (const Column& column : kColumns)
        layout->addWidget(new QLabel(QString::fromUtf8(column.title), header), column.stretch);
    auto* operations = new QLabel(QStringLiteral("操作"), header);
    operations->setFixedWidth(kButtonSize.width() * 2 + kSpacing);
    operations->setAlignment(Qt::AlignCenter);
    layout->addWidget(operations);
    return header;
}
