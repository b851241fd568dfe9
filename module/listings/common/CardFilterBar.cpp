#include "listings/common/CardFilterBar.h"

#include "widgets/inputs/CustomComboBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

const int kControlHeight = 30;

} // namespace

CardFilterBar::CardFilterBar(QWidget* parent)
    : QWidget(parent)
    , m_layout(new QHBoxLayout(this))
{
    setObjectName(QStringLiteral("CardFilterBar"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(54);
    setStyleSheet(QStringLiteral(
        "#CardFilterBar{background: rgb(255,255,255); border-bottom: 1px solid rgb(236,236,236);}"
        "QLineEdit{border: 1px solid rgb(221,221,221); border-radius: 3px; padding: 0px 6px; font: 13px \"微软雅黑\";"
        " color: rgb(40,40,40);}"
        "QLineEdit:focus{border-color: rgb(55,129,241);}"
        "QLabel{font: 13px \"微软雅黑\"; color: rgb(100,100,100);}"
        "#searchButton{background: rgb(55,129,241); color: white; border: 0px; border-radius: 3px;"
        " font: 13px \"微软雅黑\";}"
        "#searchButton:hover{background: rgb(75,145,245);}")
        % comboBoxStyle());
    m_layout->setContentsMargins(20, 0, 20, 0);
    m_layout->setSpacing(10);
    m_layout->addStretch();
}

CustomComboBox* CardFilterBar::addComboBox(const QString& objectName, const QStringList& entries, int width)
{
    auto* box = new CustomComboBox(this);
    box->setObjectName(objectName);
    box->setFixedSize(width, kControlHeight);
    box->setTextList(entries);
    m_layout->insertWidget(m_layout->count() - 1, box);
    return box;
}

QLineEdit* CardFilterBar::addLineEdit(const QString& objectName, const QString& placeholder, int width)
{
    auto* edit = new QLineEdit(this);
    edit->setObjectName(objectName);
    edit->setPlaceholderText(placeholder);
    edit->setFixedSize(width, kControlHeight);
    edit->setClearButtonEnabled(true);
    m_layout->insertWidget(m_layout->count() - 1, edit);
    m_edits.append(edit);
    if (m_search)
        connect(edit, &QLineEdit::returnPressed, m_search, &QPushButton::click);
    return edit;
}

void CardFilterBar::addRange(const QString& lowerName, const QString& upperName, const QString& unit,
                             QLineEdit** lower, QLineEdit** upper)
{
    auto* validator = new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("^[0-9]{0,9}(\\.[0-9]{0,4})?$")), this);
    *lower = addLineEdit(lowerName, QStringLiteral("最低"), 80);
    (*lower)->setValidator(validator);
    m_layout->insertWidget(m_layout->count() - 1, new QLabel(QStringLiteral("-"), this));
    *upper = addLineEdit(upperName, QStringLiteral("最高"), 80);
    (*upper)->setValidator(validator);
    m_layout->insertWidget(m_layout->count() - 1, new QLabel(unit, this));
}

CustomComboBox* CardFilterBar::addStatusBox()
{
    return addComboBox(QStringLiteral("comboBox_shangJia"),
                       {QStringLiteral("上架状态"), QStringLiteral("已上架"), QStringLiteral("未上架")}, 110);
}

QPushButton* CardFilterBar::addSearchButton()
{
    m_search = new QPushButton(QStringLiteral("搜索"), this);
    m_search->setObjectName(QStringLiteral("searchButton"));
    m_search->setCursor(Qt::PointingHandCursor);
    m_search->setFixedSize(72, kControlHeight);
    m_layout->insertWidget(m_layout->count() - 1, m_search);
    for (QLineEdit* edit : qAsConst(m_edits))
        connect(edit, &QLineEdit::returnPressed, m_search, &QPushButton::click);
    return m_search;
}

QString CardFilterBar::chosenText(const QComboBox* box)
{
    return box && box->currentIndex() > 0 ? box->currentText() : QString();
}

int CardFilterBar::statusValue(const QComboBox* box)
{
    if (!box)
        return -1;
    switch (box->currentIndex()) {
    case 1:
        return 1;
    case 2:
        return 0;
    default:
        return -1;
    }
}

QString CardFilterBar::comboBoxStyle()
{
    return QStringLiteral(
        "QComboBox{border: 1px solid rgb(221,221,221); border-radius: 3px; background: white; padding-right: 16px;"
        " font: 13px \"微软雅黑\";}"
        "QComboBox:hover{border-color: rgb(55,129,241);}"
        "QComboBox:disabled{background: rgb(248,248,248);}"
        "QComboBox::drop-down{subcontrol-origin: padding; subcontrol-position: center right; width: 20px; border: 0px;}"
        "QComboBox::down-arrow{image: url(:/res/icon_combo_arrow.png); width: 12px; height: 12px;}"
        "QComboBox QAbstractItemView{border: 1px solid rgb(221,221,221); background: white; outline: 0px;"
        " selection-background-color: rgb(240,245,255); selection-color: rgb(55,129,241);}");
}

QString CardFilterBar::trimmedText(const QLineEdit* edit)
{
    return edit ? edit->text().trimmed() : QString();
}
