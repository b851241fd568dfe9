#include "settings/stack/CustomTreeWidget.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace {

const char* const kNormalStyle = "border:0px;color: rgb(80, 80, 80);";
const char* const kCurrentStyle = "background-color: rgb(255, 255, 255);border:0px;color: rgb(80, 80, 80);";

} // namespace

CustomTreeWidget::CustomTreeWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CustomTreeWidget"));
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("treeTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setFixedHeight(RowHeight);
    m_title->setCursor(Qt::PointingHandCursor);
    m_title->installEventFilter(this);
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_title);
    m_layout->addStretch();
    updateUI();
}

void CustomTreeWidget::setTitle(QString title)
{
    m_titleText = title;
    updateUI();
}

void CustomTreeWidget::setSonTrees(QStringList list, bool exp)
{
    for (QLabel* row : qAsConst(m_rows)) {
        m_layout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    m_names = list;
    m_expanded = exp;
    for (int i = 0; i < list.size(); ++i) {
        auto* row = new QLabel(this);
        row->setObjectName(QStringLiteral("treeRow"));
        // Role names come from the store: shown as written.
        row->setTextFormat(Qt::PlainText);
        row->setText(list.at(i));
        row->setAlignment(Qt::AlignCenter);
        row->setFixedHeight(RowHeight);
        row->setCursor(Qt::PointingHandCursor);
        row->installEventFilter(this);
        m_layout->insertWidget(m_layout->count() - 1, row);
        m_rows.append(row);
    }
    setFixedHeight((list.size() + 1) * RowHeight);
    updateUI();
}

void CustomTreeWidget::chooseIndex(int index)
{
    m_chosen = index >= 0 && index < m_rows.size() ? index : -1;
    updataChooseUI();
}

void CustomTreeWidget::updateUI()
{
    const QString arrow = m_expanded ? QStringLiteral("payUp") : QStringLiteral("payDown");
    m_title->setText(QStringLiteral("<html><head/><body><p>%1 <img src=\":/res/icon_%2_1.png\"/></p></body></html>")
                         .arg(m_titleText.toHtmlEscaped(), arrow));
    for (QLabel* row : qAsConst(m_rows))
        row->setVisible(m_expanded);
    updataChooseUI();
}

void CustomTreeWidget::updataChooseUI()
{
    for (int i = 0; i < m_rows.size(); ++i)
        m_rows.at(i)->setStyleSheet(QLatin1String(i == m_chosen ? kCurrentStyle : kNormalStyle));
}

bool CustomTreeWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        if (watched == m_title) {
            m_expanded = !m_expanded;
            updateUI();
            emit titleClick(m_expanded);
            return true;
        }
        const int index = m_rows.indexOf(qobject_cast<QLabel*>(watched));
        if (index >= 0) {
            emit clickIndex(index);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
