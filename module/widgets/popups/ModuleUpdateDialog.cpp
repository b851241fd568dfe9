#include "widgets/popups/ModuleUpdateDialog.h"
#include "ui_ModuleUpdateDialog.h"

#include "net/http/Endpoints.h"
#include "net/http/FormBody.h"
#include "net/http/NetRequestObjecet.h"

#include <QApplication>

ModuleUpdateDialog::ModuleUpdateDialog(const QString& message, const QString& fileName, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::ModuleUpdateDialog)
    , m_fileName(fileName)
{
    ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->messageLabel->setText(message);
    ui->fileLabel->setText(QStringLiteral("组件文件：%1").arg(fileName));
    ui->statusLabel->hide();
    connect(ui->fetchButton, &QPushButton::clicked, this, &ModuleUpdateDialog::fetchComponent);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::close);
}

ModuleUpdateDialog::~ModuleUpdateDialog() = default;

ModuleUpdateDialog* ModuleUpdateDialog::open(const QString& message, const QString& fileName)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        auto* dialog = qobject_cast<ModuleUpdateDialog*>(window);
        if (dialog && dialog->fileName() == fileName && dialog->isVisible()) {
            dialog->raise();
            dialog->activateWindow();
            return dialog;
        }
    }
    auto* dialog = new ModuleUpdateDialog(message, fileName);
    dialog->show();
    return dialog;
}

QString ModuleUpdateDialog::message() const
{
    return ui->messageLabel->text();
}

QString ModuleUpdateDialog::statusText() const
{
    return ui->statusLabel->text();
}

void ModuleUpdateDialog::fetchComponent()
{
    ui->fetchButton->setEnabled(false);
    showStatus(QStringLiteral("正在获取组件…"));

    auto* request = new NetRequestObjecet(this);
    // The answer belongs in this dialog, not in a second alert over it.
    request->disableAlert();
    connect(request, &NetRequestObjecet::loadSuccess, this, [this, request]() {
        showStatus(request->message());
    });
    connect(request, &NetRequestObjecet::loadFail, this, [this](int, const QString& reason) {
        showStatus(reason.isEmpty() ? QStringLiteral("获取组件失败，请检查网络后重试") : reason);
    });
    connect(request, &NetRequestObjecet::loadFinish, this, [this, request]() {
        ui->fetchButton->setEnabled(true);
        request->deleteLater();
    });
    request->sendForm(Api::upgradeBrenvikUpdateTools(), FormBody().add(QStringLiteral("filename"), m_fileName));
}

void ModuleUpdateDialog::showStatus(const QString& text)
{
    ui->statusLabel->setText(text);
    ui->statusLabel->setVisible(!text.isEmpty());
}
