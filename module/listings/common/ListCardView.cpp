#include "listings/common/ListCardView.h"

#include "listings/common/CardFilterBar.h"
#include "listings/common/DisplayText.h"
#include "net/pictures/ImageShowLabel.h"
#include "store/UserMessage_DataSqlTable.h"
#include "widgets/inputs/CustomComboBox.h"
#include "widgets/inputs/OmitLabel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QVBoxLayout>

namespace {

const int kLineCount = 3;

} // namespace

bool ListCardView::Rights::allows(const QList<int>& anyOf) const
{
    if (manager)
        return true;
    for (int id : anyOf) {
        if (granted.contains(id))
            return true;
    }
    return false;
}

ListCardView::Rights ListCardView::Rights::read(const QList<int>& ids, QObject* parent)
{
    Rights rights;
    auto* table = new UserMessage_DataSqlTable(parent, false);
    rights.manager = table->getUserMessage().isManager;
    if (!rights.manager) {
        for (int id : ids) {
            if (table->getFunctionAuth({}, id).selected)
                rights.granted.insert(id);
        }
    }
    table->deleteLater();
    return rights;
}

QStringList ListCardView::permitted(const QList<Operation>& operations, const Rights& rights)
{
    QStringList entries;
    for (const Operation& operation : operations) {
        if (rights.allows(operation.rights))
            entries.append(operation.text);
    }
    return entries;
}

QString ListCardView::styleSheetText()
{
    return QStringLiteral(
        "#ListCardView{background: transparent; border-bottom: 1px solid rgb(236,236,236);}"
        "ListCardView QLabel{font: 13px \"微软雅黑\"; color: rgb(120,120,120); background: transparent;}"
        "ListCardView #label_name{font: bold 16px \"微软雅黑\"; color: rgb(40,40,40);}"
        "ListCardView #label_type{color: rgb(55,129,241); border: 1px solid rgb(55,129,241); border-radius: 2px; padding: 0px 4px;}"
        "ListCardView #label_top{color: white; background: rgb(245,90,70); border-radius: 2px; padding: 0px 5px;}"
        "ListCardView #label_value{color: rgb(245,90,70);}"
        "ListCardView #label_yongJinTitle{color: rgb(60,60,60);}")
        % CardFilterBar::comboBoxStyle();
}

ListCardView::ListCardView(QWidget* parent)
    : QWidget(parent)
    , m_picture(new ImageShowLabel(this))
    , m_name(new QLabel(this))
    , m_type(new QLabel(this))
    , m_badge(new QLabel(QStringLiteral("置顶"), this))
    , m_value(new QLabel(this))
    , m_commission(new OmitLabel(this))
    , m_operationBox(new CustomComboBox(this))
{
    setObjectName(QStringLiteral("ListCardView"));
    setAttribute(Qt::WA_StyledBackground);
    setCursor(Qt::PointingHandCursor);
    setFixedHeight(CardHeight);

    m_picture->setObjectName(QStringLiteral("label_picture"));
    m_picture->setFixedSize(160, 120);
    m_picture->setPlaceholderPath(QStringLiteral(":/res/moren.png"));
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);

    // Names and types come from the service: never markup.
    for (QLabel* label : {m_name, m_type, m_badge})
        label->setTextFormat(Qt::PlainText);
    m_name->setObjectName(QStringLiteral("label_name"));
    m_type->setObjectName(QStringLiteral("label_type"));
    m_badge->setObjectName(QStringLiteral("label_top"));
    m_badge->hide();
    m_type->hide();
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    titleRow->addWidget(m_name);
    titleRow->addWidget(m_type);
    titleRow->addWidget(m_badge);
    titleRow->addStretch();

    auto* middle = new QVBoxLayout;
    middle->setSpacing(8);
    middle->addLayout(titleRow);
    for (int i = 0; i < kLineCount; ++i) {
        auto* line = new OmitLabel(this);
        line->setObjectName(QStringLiteral("label_line%1").arg(i + 1));
        middle->addWidget(line);
        m_lines.append(line);
    }
    middle->addStretch();

    m_value->setObjectName(QStringLiteral("label_value"));
    m_value->setTextFormat(Qt::RichText);
    auto* heading = new QLabel(QStringLiteral("佣金政策"), this);
    heading->setObjectName(QStringLiteral("label_yongJinTitle"));
    m_commission->setObjectName(QStringLiteral("label_yongJin"));
    auto* valueColumn = new QVBoxLayout;
    valueColumn->setSpacing(6);
    valueColumn->addWidget(m_value);
    valueColumn->addWidget(heading);
    valueColumn->addWidget(m_commission);
    valueColumn->addStretch();
    auto* valueHolder = new QWidget(this);
    valueHolder->setFixedWidth(230);
    valueHolder->setLayout(valueColumn);
    valueColumn->setContentsMargins(0, 0, 0, 0);

    m_operationBox->setObjectName(QStringLiteral("comboBox_operate"));
    m_operationBox->setFixedSize(104, 30);
    setOperations({});
    connect(m_operationBox, &QComboBox::textActivated, this, [this](const QString& text) {
        QPointer<ListCardView> guard(this);
        operateActiveIndex(text);
        // The page may have replaced its cards while the entry was handled.
        if (guard)
            resetOperationBox();
    });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 15, 20, 15);
    layout->setSpacing(18);
    layout->addWidget(m_picture);
    layout->addLayout(middle, 1);
    layout->addWidget(valueHolder);
    layout->addWidget(m_operationBox, 0, Qt::AlignVCenter);
}

void ListCardView::setPicture(const QString& source)
{
    m_picture->loadServiceImage(source);
}

void ListCardView::setName(const QString& name)
{
    m_name->setText(DisplayText::orDash(name));
}

void ListCardView::setTypeText(const QString& type)
{
    m_type->setText(type);
    m_type->setVisible(!type.isEmpty());
}

void ListCardView::setBadgeVisible(bool visible)
{
    m_badge->setVisible(visible);
}

void ListCardView::setLine(int line, const QString& text)
{
    if (line >= 0 && line < m_lines.size())
        m_lines.at(line)->setText(text);
}

void ListCardView::setValue(const QString& value, const QString& unit)
{
    // Without a number the unit alone would read as a value.
    const bool missing = value.trimmed().isEmpty();
    const QString number = missing ? DisplayText::dash() : value.toHtmlEscaped() + QLatin1Char(' ');
    const QString unitSpan =
        missing ? QString() : QStringLiteral("<span style=\" font-weight:600;\">%1</span>").arg(unit.toHtmlEscaped());
    m_value->setText(QStringLiteral("<html><head/><body><p><span style=\" font-size:27px; font-weight:600;\">%1</span>"
                                    "%2</p></body></html>")
                         .arg(number, unitSpan));
}

void ListCardView::setCommission(const QString& text)
{
    m_commission->setText(DisplayText::orDash(text));
}

void ListCardView::setOperations(const QStringList& entries)
{
    // A refilled card keeps its box when nothing in it changes.
    if (m_operationBox->count() > 0 && operations() == entries)
        return;
    m_operationBox->setTextList(QStringList{QStringLiteral("操作")} + entries);
    m_operationBox->setEnabled(!entries.isEmpty());
}

QStringList ListCardView::operations() const
{
    QStringList entries;
    for (int i = 1; i < m_operationBox->count(); ++i)
        entries.append(m_operationBox->itemText(i));
    return entries;
}

void ListCardView::resetOperationBox()
{
    m_operationBox->setCurrentIndex(0);
}

void ListCardView::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QWidget::mousePressEvent(event);
}

void ListCardView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->pos());
    m_pressed = false;
    QWidget::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
