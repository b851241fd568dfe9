#include "widgets/sort/SortItemView.h"

#include "widgets/inputs/MnemonicText.h"
#include "widgets/popups/AlertFlashWidget.h"

#include "HelpQuestionWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QDrag>
#include <QDragEnterEvent>
#include <QHBoxLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

SortItemView::SortItemView(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("SortItemView"));
    setAttribute(Qt::WA_StyledBackground);
    setAcceptDrops(true);
    setCursor(Qt::PointingHandCursor);
    m_box = new QCheckBox(this);
    m_tip = new HelpQuestionWidget(this);
    m_tip->hide();
    m_button = new QPushButton(QStringLiteral("设置"), this);
    m_button->setObjectName(QStringLiteral("settingsButton"));
    m_button->setStyleSheet(QStringLiteral("border:0px;\ncolor: rgb(52, 133, 234);"));
    m_button->setCursor(Qt::PointingHandCursor);
    m_button->hide();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 0, 6, 0);
    layout->setSpacing(2);
    layout->addWidget(m_box);
    layout->addWidget(m_tip);
    layout->addWidget(m_button);
    layout->addStretch();

    m_dragTimer = new QTimer(this);
    m_dragTimer->setSingleShot(true);
    m_dragTimer->setInterval(50);
    connect(m_dragTimer, &QTimer::timeout, this, &SortItemView::startDrag);
    connect(m_button, &QPushButton::clicked, this, &SortItemView::btnClick);
    connect(m_box, &QCheckBox::toggled, this, [this](bool checked) {
        if (!checked && m_required) {
            // A required item always stays chosen.
            const QSignalBlocker block(m_box);
            m_box->setChecked(true);
            AlertFlashWidget::showSuccess(QStringLiteral("【%1】为必选项！").arg(m_title), 1500, nullptr);
            return;
        }
        applyStyle(false);
        emit statechange(checked);
    });
    applyStyle(false);
}

void SortItemView::setData(const QString& title, bool choose, bool hasButton, int row, int column)
{
    m_title = title;
    m_row = row;
    m_column = column;
    m_box->setText(MnemonicText::escaped(title));
    {
        const QSignalBlocker block(m_box);
        m_box->setChecked(choose);
    }
    m_button->setVisible(hasButton);
    applyStyle(false);
}

void SortItemView::setPosition(int row, int column)
{
    m_row = row;
    m_column = column;
}

void SortItemView::setTipId(int tipId)
{
    m_tip->setTipId(tipId);
    m_tip->setVisible(tipId != 0);
}

void SortItemView::setRequired()
{
    m_required = true;
}

bool SortItemView::isChosen() const
{
    return m_box->isChecked();
}

QString SortItemView::dragText() const
{
    return QStringLiteral("%1,%2").arg(m_row).arg(m_column);
}

void SortItemView::applyStyle(bool highlighted)
{
    QString style = m_box->isChecked() ? QStringLiteral("#SortItemView{background:rgb(235,244,255);border-radius:3px;}")
                                       : QStringLiteral("#SortItemView{background:rgb(245,245,245);border-radius:3px;}");
    if (highlighted)
        style = QStringLiteral("#SortItemView{background:rgb(220,236,255);border-left:3px solid rgb(52,133,234);}");
    setStyleSheet(style);
}

void SortItemView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pressPoint = event->pos();
    QWidget::mousePressEvent(event);
}

void SortItemView::mouseMoveEvent(QMouseEvent* event)
{
    // One drag per press: the first small move arms it.
    if ((event->buttons() & Qt::LeftButton) && !m_dragTimer->isActive()
        && (event->pos() - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        m_dragTimer->start();
    QWidget::mouseMoveEvent(event);
}

void SortItemView::startDrag()
{
    auto* mime = new QMimeData;
    mime->setHtml(parentWidget() ? parentWidget()->objectName() : QString());
    mime->setText(dragText());
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->setPixmap(grab());
    drag->exec(Qt::MoveAction);
    m_dragTimer->stop();
}

bool SortItemView::acceptsDrag(const QMimeData* mime) const
{
    return mime && parentWidget() && !parentWidget()->objectName().isEmpty()
        && mime->html() == parentWidget()->objectName();
}

void SortItemView::dragEnterEvent(QDragEnterEvent* event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    applyStyle(true);
    event->acceptProposedAction();
}

void SortItemView::dragLeaveEvent(QDragLeaveEvent* event)
{
    applyStyle(false);
    QWidget::dragLeaveEvent(event);
}

void SortItemView::dropEvent(QDropEvent* event)
{
    applyStyle(false);
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    const QStringList source = event->mimeData()->text().split(QLatin1Char(','));
    bool rowOk = false;
    bool columnOk = false;
    const int fromRow = source.value(0).toInt(&rowOk);
    const int fromColumn = source.value(1).toInt(&columnOk);
    if (source.size() != 2 || !rowOk || !columnOk) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit changeTo(fromRow, fromColumn, m_row, m_column);
}
