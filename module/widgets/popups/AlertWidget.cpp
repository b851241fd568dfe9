#include "widgets/popups/AlertWidget.h"
#include "ui_AlertWidget.h"

#include "DataCenter.h"

#include <QApplication>
#include <QGraphicsDropShadowEffect>
#include <QMouseEvent>
#include <QTimer>

namespace {

bool s_modalLoopEnabled = true;

struct AlertType
{
    QString title;
    QString iconStyle;
};

AlertType alertType(int type)
{
    switch (type) {
    case AlertWidget::Warning:
        return {QStringLiteral("警告"), QStringLiteral("image: url(:/res/icon_alert_warn.png);")};
    case AlertWidget::Error:
        return {QStringLiteral("错误"), QStringLiteral("image: url(:/res/icon_alert_error.png);")};
    default:
        // Unknown types read as a plain tip rather than leaving the form's placeholder texts.
        return {QStringLiteral("提示"), QStringLiteral("image: url(:/res/icon_alert_club.png);")};
    }
}

} // namespace

AlertWidget::AlertWidget(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::AlertWidget)
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("AlertWidget"));
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_TranslucentBackground);

    auto* shadow = new QGraphicsDropShadowEffect(ui->backFrame);
    shadow->setColor(QColor(0, 0, 0, 70));
    shadow->setOffset(0, 0);
    shadow->setBlurRadius(16);
    ui->backFrame->setGraphicsEffect(shadow);

    // Shown only for callers that ask a question with it (setCheckText).
    ui->checkBox->hide();

    connect(ui->knowButton, &QPushButton::clicked, this, [this] { onButton(&AlertWidget::knowClick); });
    connect(ui->sureBtn, &QPushButton::clicked, this, [this] { onButton(&AlertWidget::sureClick); });
    connect(ui->cancleBtn, &QPushButton::clicked, this, [this] { onButton(&AlertWidget::cancleClick); });
    connect(ui->closeButton, &QPushButton::clicked, this, &AlertWidget::closeWidget);
}

AlertWidget::~AlertWidget() = default;

void AlertWidget::showMessage(const QString& text, int type, int mode)
{
    const AlertType t = alertType(type);
    ui->contentLabel->setText(text);
    ui->titleLabel->setText(t.title);
    ui->iconLabel->setStyleSheet(t.iconStyle);
    setWindowTitle(t.title);
    keepButtons(mode);
    adjustSize();

    if (!m_showTimer) {
        m_showTimer = new QTimer(this);
        m_showTimer->setSingleShot(true);
        connect(m_showTimer.data(), &QTimer::timeout, this, &AlertWidget::openDeferred);
    }
    m_showTimer->start(100);
}

void AlertWidget::setSureButton(const QString& text, const QString& styleSheet)
{
    if (!ui->sureBtn)
        return;
    ui->sureBtn->setText(text);
    if (!styleSheet.isEmpty())
        ui->sureBtn->setStyleSheet(styleSheet);
}

void AlertWidget::setCancelButton(const QString& text)
{
    if (ui->cancleBtn)
        ui->cancleBtn->setText(text);
}

void AlertWidget::setCheckText(const QString& text, bool checked)
{
    ui->checkBox->setText(text);
    ui->checkBox->setChecked(checked);
    ui->checkBox->show();
}

QString AlertWidget::title() const
{
    return ui->titleLabel->text();
}

QString AlertWidget::message() const
{
    return ui->contentLabel->text();
}

AlertWidget* AlertWidget::create(const QString& text, int type, const QString& windowName)
{
    // Parentless on purpose: the dialog owns itself and deletes itself when closed.
    auto* alert = new AlertWidget(nullptr);
    alert->setAnchorWindow(windowName);
    alert->showMessage(text, type, KnowOnly);
    return alert;
}

AlertWidget* AlertWidget::askConfirm(const QString& text, int type, const QString& sureText, const QString& windowName)
{
    auto* alert = new AlertWidget(nullptr);
    alert->setAnchorWindow(windowName);
    if (!sureText.isEmpty())
        alert->setSureButton(sureText);
    alert->showMessage(text, type, SureCancel);
    return alert;
}

void AlertWidget::setAnchorWindow(const QString& windowName)
{
    m_anchor = DataCenter::getWindowsFromName(windowName).value(0);
}

AlertWidget* AlertWidget::showWarning(const QString& text, const QString& windowName)
{
    return create(text, Warning, windowName);
}

AlertWidget* AlertWidget::showError(const QString& text, const QString& windowName)
{
    return create(text, Error, windowName);
}

AlertWidget* AlertWidget::showTip(const QString& text, const QString& windowName)
{
    return create(text, Tip, windowName);
}

void AlertWidget::setModalLoopEnabled(bool enabled)
{
    s_modalLoopEnabled = enabled;
}

bool AlertWidget::modalLoopEnabled()
{
    return s_modalLoopEnabled;
}

void AlertWidget::closeWidget()
{
    if (m_closed)
        return;
    m_closed = true;
    // Closed before it ever showed: it must not pop up afterwards.
    if (m_showTimer)
        m_showTimer->stop();
    done(1);
    emit hasClosed();
    // Inside exec() the dialog deletes itself when the loop returns; otherwise close() does it.
    if (!m_inModalLoop)
        close();
}

void AlertWidget::reject()
{
    // Escape and the window system's close take the same road as the close button.
    closeWidget();
}

void AlertWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_pressGlobal = event->globalPos();
        m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    }
    QDialog::mousePressEvent(event);
}

void AlertWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton)
        && (event->globalPos() - m_pressGlobal).manhattanLength() >= QApplication::startDragDistance()) {
        move(event->globalPos() - m_dragOffset);
    }
    QDialog::mouseMoveEvent(event);
}

void AlertWidget::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}

void AlertWidget::keepButtons(int mode)
{
    const bool keepKnow = mode != SureCancel;
    const bool keepSureCancel = mode == SureCancel || mode == AllButtons;
    auto drop = [this](QPushButton*& button) {
        if (!button)
            return;
        ui->buttonLayout->removeWidget(button);
        button->hide();
        delete button;
        button = nullptr;
    };
    if (!keepKnow)
        drop(ui->knowButton);
    if (!keepSureCancel) {
        drop(ui->sureBtn);
        drop(ui->cancleBtn);
    }
    QPushButton* primary = ui->sureBtn ? ui->sureBtn : ui->knowButton;
    if (primary) {
        primary->setDefault(true);
        primary->setFocus();
    }
}

void AlertWidget::onButton(void (AlertWidget::*signal)(bool))
{
    // A second click on a closing dialog must not answer twice.
    if (m_closed)
        return;
    QPointer<AlertWidget> guard(this);
    emit(this->*signal)(ui->checkBox->isChecked());
    if (guard && m_autoClose)
        closeWidget();
}

void AlertWidget::openDeferred()
{
    if (m_showTimer)
        m_showTimer->deleteLater();
    if (m_closed)
        return;
    if (m_anchor && m_anchor->isVisible() && !testAttribute(Qt::WA_Moved)) {
        const QPoint centre = m_anchor->mapToGlobal(m_anchor->rect().center());
        move(centre - QPoint(width() / 2, height() / 2));
    }
    if (s_modalLoopEnabled) {
        m_inModalLoop = true;
        exec(); // deletes the dialog on return (delete-on-close)
        return;
    }
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
}
