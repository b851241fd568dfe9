#include "widgets/inputs/CustomComboBox.h"

#include "widgets/inputs/CustomComboBoxLineEdit.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontInfo>
#include <QPalette>
#include <QStyledItemDelegate>

namespace {
constexpr int kRowHeight = 30;
const QColor kTextColour(40, 40, 40);
} // namespace

CustomComboBox::CustomComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setInsertPolicy(QComboBox::NoInsert);
    m_lineEdit = new CustomComboBoxLineEdit(this);
    m_lineEdit->setFrame(false);
    setLineEdit(m_lineEdit);
    applyTextStyle();

    // Rows added by any means get the row height.
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex& parentIndex, int first, int last) {
                if (!parentIndex.isValid())
                    setRowHeights(first, last);
            });
    connect(this, QOverload<int>::of(&QComboBox::activated), this, &CustomComboBox::clickItem);
}

void CustomComboBox::setTextList(const QStringList& texts)
{
    clear();
    addItems(texts);
}

int CustomComboBox::setCurrentItemText(const QString& text)
{
    const int index = findText(text, Qt::MatchExactly);
    setCurrentIndex(index);
    return index;
}

void CustomComboBox::showPopup()
{
    // The default popup delegate of some styles ignores the size hint role. Set when the list is
    // first shown: making the popup in the constructor costs every card and filter its own.
    if (!m_rowDelegate) {
        m_rowDelegate = new QStyledItemDelegate(this);
        setItemDelegate(m_rowDelegate);
    }
    QComboBox::showPopup();
}

void CustomComboBox::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyTextStyle();
}

void CustomComboBox::applyTextStyle()
{
    if (!m_lineEdit)
        return;
    // Font and palette rather than a style sheet of its own, which is slow to set on every box.
    QFont text(QStringLiteral("微软雅黑"));
    text.setPixelSize(QFontInfo(font()).pixelSize());
    m_lineEdit->setFont(text);
    QPalette colours = m_lineEdit->palette();
    colours.setColor(QPalette::Text, kTextColour);
    m_lineEdit->setPalette(colours);
}

void CustomComboBox::setRowHeights(int first, int last)
{
    for (int row = first; row <= last; ++row)
        setItemData(row, QSize(0, kRowHeight), Qt::SizeHintRole);
}
