#include "ShellPermissionsWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

ShellPermissionsWindow::ShellPermissionsWindow(InitAutuView initAutuView, const QString& roleName,
                                               const QVariantList& rights, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_initAutuView(initAutuView)
    , m_rights(rights)
    , m_stack(new QStackedWidget(this))
    , m_jsonCaption(new QLabel(this))
    , m_json(new QPlainTextEdit(this))
{
    setObjectName(QStringLiteral("ShellPermissionsWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(roleName.isEmpty() ? QStringLiteral("角色权限") : QStringLiteral("角色权限 - %1").arg(roleName));
    resize(780, 880);
    setStyleSheet(QStringLiteral("ShellPermissionsWindow{background-color:#ffffff;}"
                                 "QLabel{font:13px \"微软雅黑\";color:rgb(60,60,60);}"
                                 "QLabel#roleLabel{font:bold 15px \"微软雅黑\";color:rgb(30,30,30);}"
                                 "QPlainTextEdit{font:12px monospace;color:rgb(60,60,60);background:rgb(247,248,250);"
                                 "border:1px solid rgb(225,228,232);border-radius:4px;}"
                                 "QPushButton{font:13px \"微软雅黑\";padding:4px 16px;border-radius:4px;"
                                 "color:rgb(12,145,235);border:1px solid rgb(12,145,235);background:#ffffff;}"));

    auto* role = new QLabel(QStringLiteral("岗位：%1").arg(roleName.isEmpty() ? QStringLiteral("—") : roleName), this);
    role->setObjectName(QStringLiteral("roleLabel"));
    auto* restore = new QPushButton(QStringLiteral("还原"), this);
    restore->setObjectName(QStringLiteral("pushButton_restore"));
    restore->setToolTip(QStringLiteral("放弃修改，重新显示岗位已有的权限"));
    restore->setCursor(Qt::PointingHandCursor);
    connect(restore, &QPushButton::clicked, this, &ShellPermissionsWindow::showRole);

    m_stack->setObjectName(QStringLiteral("stackedWidget_permissions"));
    m_jsonCaption->setObjectName(QStringLiteral("jsonCaptionLabel"));
    m_json->setObjectName(QStringLiteral("plainTextEdit_json"));
    m_json->setReadOnly(true);
    m_json->setFixedHeight(120);
    m_json->setPlaceholderText(QStringLiteral("勾选权限或修改范围后，页面回传的内容显示在这里"));

    auto* top = new QHBoxLayout;
    top->addWidget(role);
    top->addStretch(1);
    top->addWidget(restore);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addWidget(m_stack, 1);
    layout->addWidget(m_jsonCaption);
    layout->addWidget(m_json);

    showRole();
}

ShellPermissionsWindow::~ShellPermissionsWindow()
{
    // The page calls back with this window as its context: it goes first, with the stack it lives
    // in, so that no call can reach a window that is half destroyed.
    delete m_stack;
}

void ShellPermissionsWindow::receive(QString json, void* context)
{
    static_cast<ShellPermissionsWindow*>(context)->showJson(json);
}

void ShellPermissionsWindow::showRole()
{
    // The same slot every time, so the module shows the page it built the first time.
    m_initAutuView(m_stack, m_stack, &m_page, m_rights, &ShellPermissionsWindow::receive, this);
    m_changes = 0;
    m_jsonCaption->setText(QStringLiteral("页面回传的权限（JSON）"));
    m_json->clear();
}

void ShellPermissionsWindow::showJson(const QString& json)
{
    ++m_changes;
    m_jsonCaption->setText(QStringLiteral("页面回传的权限（JSON，第 %1 次变更）").arg(m_changes));
    m_json->setPlainText(json);
}
