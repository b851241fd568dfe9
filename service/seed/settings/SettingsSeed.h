#ifndef SETTINGSSEED_H
#define SETTINGSSEED_H

class ServiceDatabase;

// The demo sites' basic settings. "安居地产": review on (shenhe 1), listings with pictures pushed
// (pushStyle 2), the agent shown for 15 days (moshi 1, agentmoshiday 15), search box style 2,
// icons in 2 rows of 8 (menutype 3); among its icons "求购" shown as well and "资讯" moved up to
// fourth place, "金融" among the guess-you-like categories, the owners' reminder among the push
// reminders and "转让" among the shop kinds. "山城置业": review off, manual push (3), the owner
// shown with number and chat (moshi 2, fangzhumoshi 3), style 1, 1 row of 5 (2), no "别墅" icon and
// no "小区" search scope. "蓉城房产" never saved: every setting reads as its default. Runs inside
// the seeding transaction.
class SettingsSeed
{
public:
    static bool seed(ServiceDatabase& db);

private:
    SettingsSeed() = delete;
};

#endif // SETTINGSSEED_H
