#include "widgets/web/CefWebWidget.h"

#include "widgets/popups/ScreenFit.h"
#include "widgets/web/CefViewLibrary.h"

#include <QGridLayout>
#include <QIcon>

CefWebWidget::CefWebWidget(const QString& url, QWidget* parent)
    : QDialog(parent)
    , m_url(url)
    , m_content(new QWidget(this))
{
    setObjectName(QStringLiteral("CefWebWidget"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("浏览器"));
    setWindowIcon(QIcon(QStringLiteral(":/res/mircro_website_site.png")));
    resize(656, 525);
    m_content->setObjectName(QStringLiteral("contentArea"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_content, 0, 0);
    connect(this, &QDialog::finished, this, [this] { m_finished = true; });

    m_handle = CefViewLibrary::insertOnlyWeb(m_url, m_content, this, &CefWebWidget::receiveMessage, this);
}

void CefWebWidget::setTitle(const QString& title)
{
    setWindowTitle(title);
}

bool CefWebWidget::runJs(const QString& script)
{
    return CefViewLibrary::runJs(m_handle, script);
}

void CefWebWidget::setVisible(bool visible)
{
    if (visible && !isVisible()) {
        const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
        ScreenFit::resizeWithin(this, size(), owner);
        // Placed here rather than by QDialog, which leaves the window frame out and may push the
        // bottom edge under the task bar.
        if (!testAttribute(Qt::WA_Moved))
            ScreenFit::centreWithin(this, owner);
    }
    QDialog::setVisible(visible);
}

void CefWebWidget::receiveMessage(QString message, void* context)
{
    // The library calls only while the content area lives, and the dialog owns it.
    auto* dialog = static_cast<CefWebWidget*>(context);
    if (!dialog || !dialog->m_content || dialog->m_finished)
        return;
    emit dialog->backJs(message);
}
