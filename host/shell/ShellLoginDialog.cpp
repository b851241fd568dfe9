#include "ShellLoginDialog.h"

#include "ShellSession.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ShellLoginDialog::ShellLoginDialog(ShellSession* session, const QString& phone, const QString& password, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_phone(new QLineEdit(phone, this))
    , m_password(new QLineEdit(password, this))
    , m_message(new QLabel(this))
    , m_loginButton(new QPushButton(QStringLiteral("登录"), this))
{
    setWindowTitle(QStringLiteral("登录"));
    setObjectName(QStringLiteral("ShellLoginDialog"));
    m_password->setEchoMode(QLineEdit::Password);
    m_message->setStyleSheet(QStringLiteral("color: rgb(200,60,60);"));
    m_message->setWordWrap(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("手机号"), m_phone);
    form->addRow(QStringLiteral("密码"), m_password);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(m_loginButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_message);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ShellLoginDialog::submit);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_session, &ShellSession::loggedIn, this, &QDialog::accept);
    connect(m_session, &ShellSession::loginFailed, this, [this](const QString& message) {
        setMessage(message);
        m_loginButton->setEnabled(true);
    });
}

void ShellLoginDialog::setMessage(const QString& message)
{
    m_message->setText(message);
}

void ShellLoginDialog::submit()
{
    m_loginButton->setEnabled(false);
    setMessage(QStringLiteral("正在登录…"));
    m_session->login(m_phone->text().trimmed(), m_password->text());
}
