#ifndef MIRCROWEBSITESTYLESETWIDGET_H
#define MIRCROWEBSITESTYLESETWIDGET_H

#include "settings/style/MircroWebsiteStyleSet_Model.h"
#include "widgets/popups/CommonAddWidget.h"

#include <QJsonValue>
#include <QList>
#include <QPointer>
#include <QVariantMap>
#include <QWidget>

class FormBody;
class ItemButtonWidget;
class LoadFailedView;
class MircroWebSiteTopTherePhotoView;
class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QMenu;
class QRadioButton;

// The style page of the settings: the site's theme colour and bottom bar (sent at once, put back
// when the service refuses), the three top icons (sent by "应用") and the home-page apps with
// their editors.
class MircroWebsiteStyleSetWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int AppsPerRow = 5;

    explicit MircroWebsiteStyleSetWidget(QWidget* parent = nullptr);

    // The area the app tiles need for `count` tiles.
    static int appAreaHeight(int count);
    // The theme or bottom-bar code of the checked button (1 when none is).
    static int checkedCode(const QList<QRadioButton*>& buttons);

    QList<ItemButtonWidget*> appTiles() const { return m_tiles; }
    QWidget* appArea() const { return m_appArea; }
    QList<QRadioButton*> themeButtons() const { return m_themeButtons; }
    QList<QRadioButton*> styleButtons() const { return m_styleButtons; }
    // The top-icon views in their on-screen order.
    QList<MircroWebSiteTopTherePhotoView*> topIconViews() const;
    QMenu* menu() const { return m_menu; }
    CommonAddWidget* editorPopup() const { return m_popup; }

public slots:
    void download_set();
    void deal_setData(QJsonValue value);
    void showContent();
    void downloadThreeIconConfig();
    void dealThreeIconConfig(QJsonValue value);
    void updateTheme();
    void updateStyle();
    void editSystemApp(MircroWebsiteStyleSet_Model::APP model);
    void addCustomApp(MircroWebsiteStyleSet_Model::APP model);
    void showMenu(MircroWebsiteStyleSet_Model::APP model);
    void deleteApp(int id);
    void sureButtonClick();
    void moveTopThreeIcon(MircroWebSiteTopTherePhotoView* view, int type);

signals:
    void closeWidget();
    void updateSetUI();
    // A style reply has been shown.
    void contentShown();
    // A choice of theme or bottom bar was saved (true) or refused and put back (false).
    void choiceSaved(bool saved);

private:
    // Sends one instant choice; a failure puts the buttons back on the saved code.
    void sendChoice(const QString& key, int code, int* saved, const QList<QRadioButton*>& buttons);
    static void checkCode(const QList<QRadioButton*>& buttons, int code);
    // The company and city the site's top icons belong to.
    static FormBody ownerBody();
    void openAppEditor(const QString& title, const QSize& size, QWidget* editor);
    void appChanged();
    // A load failed: with that part not read yet the page says why and offers "重试".
    void loadFailed(const QString& reason, bool shownBefore);
    // Takes the failure away once both the style and the top icons are read.
    void partLoaded();
    QWidget* colourRow();
    QWidget* styleRow();

    MircroWebsiteStyleSet_Model* m_model = nullptr;
    QList<QRadioButton*> m_themeButtons;
    QList<QRadioButton*> m_styleButtons;
    QButtonGroup* m_styleGroup = nullptr;
    QButtonGroup* m_themeGroup = nullptr;
    QHBoxLayout* m_iconsLayout = nullptr;
    QWidget* m_appArea = nullptr;
    QGridLayout* m_appGrid = nullptr;
    QList<ItemButtonWidget*> m_tiles;
    QMenu* m_menu = nullptr;
    QPointer<CommonAddWidget> m_popup;
    int m_savedZhuti = 0;
    int m_savedDibu = 0;
    LoadFailedView* m_loadFailed = nullptr;
    bool m_iconsLoaded = false;
};

#endif // MIRCROWEBSITESTYLESETWIDGET_H
