#include "widgets/popups/CommonAddWidget.h"
#include "ui_CommonAddWidget.h"

#include "widgets/drafts/EditorDraft.h"
#include "widgets/popups/ScreenFit.h"

#include "DataCenter.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QScrollArea>

namespace {

// Presses this close below the visible frame's top edge grab the frame.
constexpr int kDragBand = 40;

} // namespace

CommonAddWidget::CommonAddWidget(QWidget* parent, const QString& windowName, bool shade)
    : QWidget(parent)
    , ui(new Ui::CommonAddWidget)
    , m_windowName(windowName)
    , m_shadeEnabled(shade)
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // Room around the white frame for its drop shadow.
    setAttribute(Qt::WA_TranslucentBackground);

    auto* shadow = new QGraphicsDropShadowEffect(ui->backWidget);
    shadow->setColor(QColor(120, 120, 120, 255));
    shadow->setOffset(0, 0);
    shadow->setBlurRadius(10);
    ui->backWidget->setGraphicsEffect(shadow);

    ui->boxComboBox->hide();
    ui->maxButton->hide();
    ui->helpWidget->hide();

    connect(ui->closeButton, &QPushButton::clicked, this, [this] {
        // A click on the close button is easily a slip: typed changes are not given up unasked.
        EditorDraft::closeAsking(this, [this] {
            emit closeExe();
            closeWidget();
        });
    });
    connect(ui->maxButton, &QPushButton::clicked, this, &CommonAddWidget::toggleMaximized);
    connect(ui->boxComboBox, QOverload<int>::of(&QComboBox::activated), this, &CommonAddWidget::dealComboboxClick);

    const QMargins m = ui->outerLayout->contentsMargins();
    resize(m_baseSize.grownBy(m));
}

CommonAddWidget::~CommonAddWidget()
{
    // The content dies with the frame's children, after this class is gone: no callback then.
    if (m_content)
        disconnect(m_content.data(), nullptr, this, nullptr);
    // Destroyed without closing (its parent went first): still leave no shade behind.
    closeBackShadow();
}

void CommonAddWidget::setTitle(const QString& title, QWidget* shadeOver, const QColor& shadeColor, int shadeClick,
                               bool flag)
{
    if (title == QLatin1String("null"))
        return;
    m_shadeColor = shadeColor;
    if (!ui->titleLabel->isHidden())
        ui->titleLabel->setText(title);
    setWindowTitle(title);
    ui->closeButton->setVisible(flag);

    if (!m_shadeEnabled)
        return;
    // Shades from an earlier call would otherwise stay until the frame closes.
    for (const QPointer<QPushButton>& old : qAsConst(m_shades)) {
        if (old)
            old->deleteLater();
    }
    m_shades.clear();

    const QList<QWidget*> named = namedWindows();
    QWidget* first = DataCenter::MainWindowWidget;
    QWidget* last = DataCenter::MainWindowWidget;
    if (!DataCenter::cp_active_windows.isEmpty() && !named.isEmpty()) {
        first = named.first();
        last = named.last();
    }
    layShade(first, shadeClick);
    layShade(shadeOver ? shadeOver : last, shadeClick);
}

void CommonAddWidget::setContent(QWidget* content)
{
    setContent(0, content);
}

void CommonAddWidget::setContent(int index, QWidget* content)
{
    if (!content)
        return;
    if (m_content)
        disconnect(m_content.data(), &QObject::destroyed, this, &CommonAddWidget::setContentNull);
    // A frame shrunk to a small screen scrolls its form rather than cutting it off.
    auto* scroll = new QScrollArea(ui->contentWidget);
    scroll->setObjectName(QStringLiteral("contentScrollArea"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    // The frame's white shows through, as it did around the form before.
    scroll->viewport()->setAutoFillBackground(false);
    const bool filled = content->autoFillBackground();
    scroll->setWidget(content);
    content->setAutoFillBackground(filled);
    ui->contentLayout->insertWidget(index, scroll);
    // The scroll area looks again when the form's layout changes (a grid reflowing, rows
    // loaded), or scroll bars that are no longer needed would stay.
    content->installEventFilter(this);
    m_content = content;
    connect(content, &QObject::destroyed, this, &CommonAddWidget::setContentNull);
    DataCenter::addThemeWidget(m_windowName, this);
}

void CommonAddWidget::setBoxItems(const QList<QVariantMap>& items, const QString& textKey)
{
    m_boxItems = items;
    m_boxTextKey = textKey;
    ui->boxComboBox->clear();
    for (const QVariantMap& item : items)
        ui->boxComboBox->addItem(item.value(textKey).toString());
    ui->boxComboBox->setVisible(!items.isEmpty());
}

void CommonAddWidget::setHelpTipId(int tipId)
{
    ui->helpWidget->setTipId(tipId);
    ui->helpWidget->show();
}

void CommonAddWidget::setMaximizable(bool maximizable)
{
    ui->maxButton->setVisible(maximizable);
}

void CommonAddWidget::closeWidget()
{
    finish();
    close();
}

void CommonAddWidget::animate()
{
}

void CommonAddWidget::changeSize(QSize size)
{
    setMaximumSize(size);
    fitSize(size);
}

void CommonAddWidget::fitSize(const QSize& size)
{
    ScreenFit::resizeWithin(this, size, ownerWindow());
    centreOverOwner();
}

void CommonAddWidget::closeBackShadow()
{
    DataCenter::removeThemeWidget(m_windowName, this);
    for (const QPointer<QPushButton>& shade : qAsConst(m_shades)) {
        if (!shade)
            continue;
        if (QWidget* window = shade->parentWidget())
            window->removeEventFilter(this);
        // Later, not now: the shade may be the button whose click is closing the frame.
        shade->hide();
        shade->deleteLater();
    }
    m_shades.clear();
}

void CommonAddWidget::dealComboboxClick(int index)
{
    if (index >= 0 && index < m_boxItems.size())
        emit boxClick(m_boxItems.at(index));
}

void CommonAddWidget::setContentNull()
{
    m_content = nullptr;
}

void CommonAddWidget::show()
{
    if (!testAttribute(Qt::WA_Moved))
        centreOverOwner();
    QWidget::show();
    raise();
    activateWindow();
}

void CommonAddWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->pos().y() - ui->backWidget->y() < kDragBand) {
        m_dragging = true;
        m_pressGlobal = event->globalPos();
        dragPosition = event->globalPos() - frameGeometry().topLeft();
        setCursor(Qt::ClosedHandCursor);
    }
    QWidget::mousePressEvent(event);
}

void CommonAddWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)
        && (event->globalPos() - m_pressGlobal).manhattanLength() >= QApplication::startDragDistance()) {
        move(event->globalPos() - dragPosition);
    }
    QWidget::mouseMoveEvent(event);
}

void CommonAddWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    setCursor(Qt::ArrowCursor);
    QWidget::mouseReleaseEvent(event);
}

void CommonAddWidget::closeEvent(QCloseEvent* event)
{
    // Closed by other means than closeWidget() (the window system, a caller's close()).
    finish();
    QWidget::closeEvent(event);
}

bool CommonAddWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::LayoutRequest && watched == m_content) {
        if (QWidget* scroll = m_content->parentWidget() ? m_content->parentWidget()->parentWidget() : nullptr)
            QCoreApplication::postEvent(scroll, new QEvent(QEvent::LayoutRequest));
    }
    // Shades keep covering their window when it is resized.
    if (event->type() == QEvent::Resize) {
        for (const QPointer<QPushButton>& shade : qAsConst(m_shades)) {
            if (shade && shade->parentWidget() == watched)
                shade->resize(shade->parentWidget()->size());
        }
    }
    return QWidget::eventFilter(watched, event);
}

QList<QWidget*> CommonAddWidget::namedWindows() const
{
    // The frame registers itself under the same name; it never shades or centres over itself.
    QList<QWidget*> windows = DataCenter::getWindowsFromName(m_windowName);
    windows.removeAll(const_cast<CommonAddWidget*>(this));
    return windows;
}

QWidget* CommonAddWidget::ownerWindow() const
{
    const QList<QWidget*> named = namedWindows();
    if (!DataCenter::cp_active_windows.isEmpty() && !named.isEmpty())
        return named.first();
    return DataCenter::MainWindowWidget;
}

void CommonAddWidget::layShade(QWidget* window, int shadeClick)
{
    if (!window)
        return;
    auto* shade = new QPushButton(window);
    shade->setObjectName(QStringLiteral("CommonAddWidgetShade"));
    shade->setFocusPolicy(Qt::NoFocus);
    // The alpha as a fraction: style sheets read a whole rgba() alpha of 0 or 1 as a fraction too.
    shade->setStyleSheet(QStringLiteral("background-color:rgba(%1,%2,%3,%4);border:0px;")
                             .arg(m_shadeColor.red())
                             .arg(m_shadeColor.green())
                             .arg(m_shadeColor.blue())
                             .arg(QString::number(m_shadeColor.alphaF(), 'f', 4)));
    shade->setGeometry(window->rect());
    if (shadeClick == 0)
        connect(shade, &QPushButton::clicked, this, &CommonAddWidget::closeWidget);
    else if (shadeClick == 1)
        connect(shade, &QPushButton::clicked, this, &CommonAddWidget::animate);
    window->installEventFilter(this);
    shade->raise();
    shade->show();
    m_shades.append(shade);
}

void CommonAddWidget::centreOverOwner()
{
    ScreenFit::centreWithin(this, ownerWindow());
}

void CommonAddWidget::toggleMaximized()
{
    if (m_maximized) {
        m_maximized = false;
        setMaximumSize(m_normalMaximumSize);
        setGeometry(m_normalGeometry);
        return;
    }
    QWidget* owner = ownerWindow();
    if (!owner)
        return;
    m_maximized = true;
    m_normalGeometry = geometry();
    m_normalMaximumSize = maximumSize();
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // The part of the owner window that is on its screen.
    setGeometry(QRect(owner->mapToGlobal(QPoint(0, 0)), owner->size()).intersected(ScreenFit::room(owner)));
}

void CommonAddWidget::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    closeBackShadow();
    emit hasClose();
}
