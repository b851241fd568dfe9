#include "widgets/inputs/ApplicationItemChooseView.h"

#include "widgets/inputs/ChoosePeople_Item.h"

#include <QPushButton>

namespace {

const int kSpacing = 8;
const int kRowHeight = 26;

} // namespace

ApplicationItemChooseView::ApplicationItemChooseView(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void ApplicationItemChooseView::setAddButtonText(const QString& text)
{
    if (!m_addButton) {
        m_addButton = new QPushButton(this);
        m_addButton->setObjectName(QStringLiteral("addChipButton"));
        m_addButton->setCursor(Qt::PointingHandCursor);
        m_addButton->setStyleSheet(QStringLiteral("QPushButton{border:1px dashed #3e8ef7;color:#3e8ef7;"
                                                  "border-radius:3px;padding:0 8px;background:white;}"));
        connect(m_addButton, &QPushButton::clicked, this, &ApplicationItemChooseView::addClick);
    }
    m_addButton->setText(text);
    m_addButton->setFixedSize(m_addButton->sizeHint().width(), kRowHeight);
    relayout();
}

void ApplicationItemChooseView::addItemMap(const QVariantMap& map)
{
    auto* chip = new ChoosePeople_Item(map, m_textKey, this);
    connect(chip, &ChoosePeople_Item::deleteBtnClick, this, [this, chip]() { deleteItem(m_chips.indexOf(chip)); });
    connect(chip, &ChoosePeople_Item::modifyItem, this, [this, chip]() { emit itemModify(chip->map()); });
    m_chips.append(chip);
    chip->show();
    relayout();
    emit appChange();
}

QList<QVariantMap> ApplicationItemChooseView::itemMaps() const
{
    QList<QVariantMap> maps;
    for (const ChoosePeople_Item* chip : m_chips)
        maps.append(chip->map());
    return maps;
}

QStringList ApplicationItemChooseView::itemTexts() const
{
    QStringList texts;
    for (const ChoosePeople_Item* chip : m_chips)
        texts.append(chip->text());
    return texts;
}

void ApplicationItemChooseView::click()
{
    emit addClick();
}

void ApplicationItemChooseView::modifyItem()
{
    if (auto* chip = qobject_cast<ChoosePeople_Item*>(sender()))
        emit itemModify(chip->map());
}

void ApplicationItemChooseView::deleteItem(int id)
{
    if (id < 0 || id >= m_chips.size())
        return;
    ChoosePeople_Item* chip = m_chips.takeAt(id);
    chip->hide();
    chip->deleteLater();
    relayout();
    emit appChange();
}

void ApplicationItemChooseView::deleteItemMap(const QVariantMap& map)
{
    for (int i = 0; i < m_chips.size(); ++i) {
        if (m_chips.at(i)->map() == map) {
            deleteItem(i);
            return;
        }
    }
}

void ApplicationItemChooseView::setHouseBookItem(const QList<QVariantMap>& list, int column)
{
    clearChips();
    m_textKey = column == 1 ? QStringLiteral("name") : QStringLiteral("title");
    for (const QVariantMap& map : list)
        addItemMap(map);
    relayout();
}

void ApplicationItemChooseView::setAddHousePeiTao(const QStringList& texts)
{
    clearChips();
    for (const QString& text : texts)
        addItemMap({{m_textKey, text}});
    relayout();
}

void ApplicationItemChooseView::insertHouseBookItemMap(QVariantMap map)
{
    addItemMap(map);
}

void ApplicationItemChooseView::clearChips()
{
    for (ChoosePeople_Item* chip : qAsConst(m_chips)) {
        chip->hide();
        chip->deleteLater();
    }
    m_chips.clear();
}

int ApplicationItemChooseView::place(int width, bool move) const
{
    int x = 0;
    int y = 0;
    auto put = [&](QWidget* widget) {
        const int w = widget->width();
        if (x > 0 && x + w > width) {
            x = 0;
            y += kRowHeight + kSpacing;
        }
        if (move)
            widget->setGeometry(x, y, w, kRowHeight);
        x += w + kSpacing;
    };
    for (ChoosePeople_Item* chip : m_chips)
        put(chip);
    if (m_addButton)
        put(m_addButton);
    return (m_chips.isEmpty() && !m_addButton) ? 0 : y + kRowHeight;
}

int ApplicationItemChooseView::heightForWidth(int width) const
{
    return place(width, false);
}

QSize ApplicationItemChooseView::sizeHint() const
{
    return QSize(400, place(width() > 0 ? width() : 400, false));
}

void ApplicationItemChooseView::relayout()
{
    const int height = place(width(), true);
    setMinimumHeight(height);
    updateGeometry();
    if (height != m_lastHeight) {
        m_lastHeight = height;
        emit heightChange(height);
    }
}

void ApplicationItemChooseView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    relayout();
}
