#include "widgets/inputs/CustomComboBox.h"

#include "widgets/inputs/CustomComboBoxLineEdit.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QFontInfo>
#include <QStyledItemDelegate>

namespace {
constexpr int kRowHeight = 30;
}

CustomComboBox::CustomComboBox(QWidget* parent)
    : QComboBox(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setInsertPolicy(QComboBox::NoInsert);
    m_lineEdit = new CustomComboBoxLineEdit(this);
    setLineEdit(m_lineEdit);
    // The default popup delegate of some styles ignores the size hint role.
    setItemDelegate(new QStyledItemDelegate(this));
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
    const int pixelSize = QFontInfo(font()).pixelSize();
    m_lineEdit->setStyleSheet(QStringLiteral("border: 0px; font: %1px \"微软雅黑\"; color: rgb(40,40,40);")
                                  .arg(pixelSize));
}

void CustomComboBox::setRowHeights(int first, int last)
{
    for (int row = first; row <= last; ++row)
        setItemData(row, QSize(0, kRowHeight), Qt::SizeHintRole);
}
