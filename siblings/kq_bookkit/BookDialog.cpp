#include "BookDialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// Two label and value pairs per row keep twenty fields on one screen.
const int kPairsPerRow = 2;

} // namespace

BookDialog::BookDialog(const QString& title, const QString& bookName, const QList<BookField>& fields,
                       const FormPieces& fixed, const QString& path, QWidget* parent)
    : QDialog(parent)
    , m_bookName(bookName)
    , m_path(path)
    , m_fixed(fixed)
    , m_client(new SiblingServiceClient(QStringLiteral("保存失败，请稍后重试"), this))
{
    setObjectName(QStringLiteral("BookDialog"));
    setWindowTitle(title);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowModality(Qt::ApplicationModal);
    setStyleSheet(QStringLiteral("QDialog, #formPage { background-color: #ffffff; }"
                                 "QLabel { font: 13px \"微软雅黑\"; color: rgb(90,90,90); }"
                                 "QLineEdit { font: 13px \"微软雅黑\"; min-height: 26px; border: 1px solid rgb(210,210,210);"
                                 " border-radius: 3px; padding: 0 6px; }"
                                 "QLineEdit:focus { border-color: rgb(61,138,247); }"
                                 "#saveButton { font: 14px \"微软雅黑\"; color: #ffffff; background-color: rgb(61,138,247);"
                                 " border: 0px; border-radius: 4px; }"
                                 "#saveButton:disabled { background-color: rgb(170,190,220); }"
                                 "#cancelButton { font: 14px \"微软雅黑\"; color: rgb(80,80,80); background-color: #ffffff;"
                                 " border: 1px solid rgb(210,210,210); border-radius: 4px; }"));

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("formPage"));
    auto* grid = new QGridLayout(page);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    for (int i = 0; i < fields.size(); ++i) {
        const BookField& field = fields.at(i);
        const int row = i / kPairsPerRow;
        const int column = (i % kPairsPerRow) * 2;
        auto* label = new QLabel(field.label + QStringLiteral("："), page);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(label, row, column);
        auto* edit = new QLineEdit(field.value, page);
        edit->setCursorPosition(0);
        if (field.key.isEmpty()) {
            edit->setReadOnly(true);
            edit->setStyleSheet(QStringLiteral("QLineEdit { background-color: rgb(246,247,249); }"));
        } else {
            edit->setObjectName(field.key);
            m_edits.append(qMakePair(field.key, edit));
        }
        grid->addWidget(edit, row, column + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(grid->rowCount(), 1);

    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("statusLabel"));
    m_status->setWordWrap(true);

    m_saveButton = new QPushButton(QStringLiteral("保存"));
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    m_saveButton->setFixedSize(96, 32);
    m_saveButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("取消"));
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_cancelButton->setFixedSize(96, 32);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_saveButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addWidget(scroll, 1);
    layout->addLayout(buttons);
    resize(680, 520);

    connect(m_saveButton, &QPushButton::clicked, this, &BookDialog::save);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_client, &SiblingServiceClient::succeeded, this, &BookDialog::dealSaved);
    connect(m_client, &SiblingServiceClient::failed, this, &BookDialog::dealRefused);
}

FormPieces BookDialog::formPieces() const
{
    FormPieces pieces = m_fixed;
    for (const auto& edit : m_edits)
        pieces.append(qMakePair(edit.first, edit.second->text().trimmed()));
    return pieces;
}

QString BookDialog::statusText() const
{
    return m_status->text();
}

void BookDialog::save()
{
    if (m_saved)
        return;
    m_saveButton->setEnabled(false);
    showStatus(QStringLiteral("正在保存…"), false);
    m_client->post(m_path, formPieces());
}

void BookDialog::dealSaved()
{
    m_saved = true;
    showStatus(QStringLiteral("已保存到%1").arg(m_bookName), false);
    for (const auto& edit : qAsConst(m_edits))
        edit.second->setReadOnly(true);
    m_cancelButton->setText(QStringLiteral("关闭"));
}

void BookDialog::dealRefused(const QString& message)
{
    showStatus(message, true);
    m_saveButton->setEnabled(true);
}

void BookDialog::showStatus(const QString& text, bool failure)
{
    m_status->setStyleSheet(failure ? QStringLiteral("color: rgb(210,60,60);") : QStringLiteral("color: rgb(0,112,12);"));
    m_status->setText(text);
}
