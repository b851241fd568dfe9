#ifndef MIRCROWEBSITESETWIDGET_H
#define MIRCROWEBSITESETWIDGET_H

#include "settings/basic/BasicSettingsForm.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class EditorDraft;
class LoadFailedView;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class SortWidget;

// The site's basic settings: listing review and push, the contact shown for a listing, the home
// page's search box and icons, and four ordering grids; "应用" saves them all at once.
class MircroWebSiteSetWidget : public QWidget
{
    Q_OBJECT
public:
    explicit MircroWebSiteSetWidget(QWidget* parent = nullptr);

    // The form as the user has set it now.
    BasicSettingsForm form() const;
    QVariantMap config() const { return m_config; }
    SortWidget* grid(int index) const { return m_grids.value(index); }
    QRadioButton* button(const QString& text) const;
    QCheckBox* ownerNumberBox() const { return m_ownerNumber; }
    QCheckBox* ownerChatBox() const { return m_ownerChat; }
    QLineEdit* dayEdit() const { return m_days; }
    QWidget* dayArea() const { return m_dayArea; }
    QWidget* ownerArea() const { return m_ownerArea; }
    CommonAddWidget* subSettingsPopup() const { return m_popup; }
    EditorDraft* draft() const { return m_draft; }

public slots:
    void refresh();
    void hostClickSure();
    void agentStateChange();
    void downloadData();
    void deal_data(QJsonValue value);
    void itemBtnClick(int id);
    void sureButtonClick();

signals:
    void closeWidget();
    // A settings reply has been shown.
    void dataShown();
    void saved();

private:
    QList<QRadioButton*> addGroup(QWidget* parent, const QStringList& texts);
    static void check(const QList<QRadioButton*>& buttons, int index);
    static int checkedIndex(const QList<QRadioButton*>& buttons);
    void showForm(const BasicSettingsForm& shown);
    // Nothing read yet: the page says why and offers "重试".
    void loadFailed(const QString& reason);

    QVariantMap m_config;
    // The last reply as the form showed it, and that reply itself: what the user's unapplied
    // changes are told from.
    BasicSettingsForm m_shown;
    QVariantMap m_shownConfig;
    QList<QRadioButton*> m_shenhe;  // 开启, 关闭
    QList<QRadioButton*> m_push;
    QList<QRadioButton*> m_contact; // 默认, 经纪人, 房主, 不显示
    QList<QRadioButton*> m_search;
    QList<QRadioButton*> m_menu;
    QLineEdit* m_days = nullptr;
    QWidget* m_dayArea = nullptr;
    QWidget* m_ownerArea = nullptr;
    QCheckBox* m_ownerNumber = nullptr;
    QCheckBox* m_ownerChat = nullptr;
    QList<SortWidget*> m_grids;
    QPointer<CommonAddWidget> m_popup;
    LoadFailedView* m_loadFailed = nullptr;
    EditorDraft* m_draft = nullptr;
    // Whether a reply has been shown.
    bool m_loaded = false;
};

#endif // MIRCROWEBSITESETWIDGET_H
