#include "listings/common/TableButtonItemView.h"

#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>

TableButtonItemView::TableButtonItemView(QWidget* parent)
    : TableCellItemView(parent)
    , m_layout(new QHBoxLayout(this))
{
    m_layout->setContentsMargins(6, 0, 6, 0);
    m_layout->setSpacing(8);
    m_layout->addStretch(1);
}

QString TableButtonItemView::baseButtonStyle()
{
    return QStringLiteral("font: 13px \"微软雅黑\";padding:0px 7px 0px 7px;border-radius:4px;"
                          "color: rgb(12,145,235);border:1px solid rgb(12,145,235);");
}

void TableButtonItemView::createBtns(const QStringList& titleList)
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (const QString& title : titleList) {
        auto* button = new QPushButton(title, this);
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(baseButtonStyle());
        button->setMaximumWidth(qMax(15 * title.size() + 10, 50));
        button->setMaximumHeight(25);
        button->setFocusPolicy(Qt::NoFocus);
        // Before the closing stretch, so the buttons keep to the left.
        m_layout->insertWidget(m_layout->count() - 1, button);
        m_buttons.append(button);
        connect(button, &QPushButton::clicked, this, [this, button] { onButtonClicked(button); });
    }
}

void TableButtonItemView::addBtnStyle(const QString& text, const QString& style)
{
    if (QPushButton* target = button(text))
        target->setStyleSheet(target->styleSheet() + style);
}

QPushButton* TableButtonItemView::button(const QString& text) const
{
    for (QPushButton* candidate : m_buttons) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

void TableButtonItemView::onButtonClicked(QPushButton* button)
{
    // Receivers may refill the table and so delete this cell while it reports.
    QPointer<TableButtonItemView> guard(this);
    const QString text = button->text();
    const int clickedRow = row();
    if (clickedRow >= 0) {
        m_reportingButtonClick = true;
        emit clickRow(clickedRow);
        if (!guard)
            return;
        m_reportingButtonClick = false;
    }
    emit btnClick(clickedRow, text);
}
