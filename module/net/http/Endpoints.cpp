#include "net/http/Endpoints.h"

#include "net/http/ServiceAddresses.h"

// The single list of endpoints: host, name and path.
#define KQ_ENDPOINTS(X) \
    /* API host: used by the module's pages and objects */ \
    X(Api, appHousegrouppostst, "app/housegrouppostst") \
    X(Api, apptwoFiclickstore, "apptwo/ficlickstore") \
    X(Api, apptwoFiclientposts, "apptwo/ficlientposts") \
    X(Api, apptwoFigetconfig, "apptwo/figetconfig") \
    X(Api, apptwoFimsposts, "apptwo/fimsposts") \
    X(Api, apptwoFipaixu, "apptwo/fipaixu") \
    X(Api, callGetcompanyrecordfilex, "call/getcompanyrecordfilex") \
    X(Api, mtoreCustomAppmodify, "mtore/CustomAppmodify") \
    X(Api, mtoreAppposts, "mtore/appposts") \
    X(Api, mtoreCompanyinfo, "mtore/companyinfo") \
    X(Api, mtoreCompanyinfoaddmod, "mtore/companyinfoaddmod") \
    X(Api, mtoreCustomappadd, "mtore/customappadd") \
    X(Api, mtoreCustomappdelete, "mtore/customappdelete") \
    X(Api, mtoreDeletemshouse, "mtore/deletemshouse") \
    X(Api, mtoreGetmstoreconfig, "mtore/getmstoreconfig") \
    X(Api, mtoreGetmstorestyleconfig, "mtore/getmstorestyleconfig") \
    X(Api, mtoreGzposts, "mtore/gzposts") \
    X(Api, mtoreJoinusadd, "mtore/joinusadd") \
    X(Api, mtoreJoinusdelete, "mtore/joinusdelete") \
    X(Api, mtoreJoinusmodify, "mtore/joinusmodify") \
    X(Api, mtoreJoinusposts, "mtore/joinusposts") \
    X(Api, mtoreLunboadd, "mtore/lunboadd") \
    X(Api, mtoreLunbodelete, "mtore/lunbodelete") \
    X(Api, mtoreLunbomodify, "mtore/lunbomodify") \
    X(Api, mtoreLunbopaixu, "mtore/lunbopaixu") \
    X(Api, mtoreLunboposts, "mtore/lunboposts") \
    X(Api, mtoreMshouseclickstore, "mtore/mshouseclickstore") \
    X(Api, mtoreMshouseposts, "mtore/mshouseposts") \
    X(Api, mtoreMshouseshenhe, "mtore/mshouseshenhe") \
    X(Api, mtoreMstoreconfig, "mtore/mstoreconfig") \
    X(Api, mtoreMzposts, "mtore/mzposts") \
    X(Api, mtoreNewhouseposts, "mtore/newhouseposts") \
    X(Api, mtoreSettuijian, "mtore/settuijian") \
    X(Api, nhouseCanceltop, "nhouse/canceltop") \
    X(Api, nhouseClickstore, "nhouse/clickstore") \
    X(Api, nhousePaixu, "nhouse/paixu") \
    X(Api, nhousePosts, "nhouse/posts") \
    X(Api, workcenterJobauthInfo, "workcenter/jobauthInfo") \
    X(Api, workcenterJobedit, "workcenter/jobedit") \
    /* site host: used by the module's pages */ \
    X(Site, baikeListRemove, "baike_list_remove") \
    X(Site, setwmenu, "setwmenu") \
    X(Site, softbaikelist, "softbaikelist") \
    X(Site, softsubjectlist, "softsubjectlist") \
    X(Site, softzixun, "softzixun") \
    X(Site, subjectAdd, "subject_add") \
    X(Site, subjectEdit, "subject_edit") \
    X(Site, subjects, "subjects") \
    X(Site, subjectsdel, "subjectsdel") \
    X(Site, zixunListRemove, "zixun_list_remove") \
    /* office host: used by the person and department choosers */ \
    X(Office, lmaiDeptLwpSub, "lmai/dept/lwpSub") \
    X(Office, lmaiLwpV2, "lmai/lwpV2") \
    X(Office, ompDeptLwpSub, "omp/dept/lwpSub") \
    X(Office, ompLwpV2, "omp/lwpV2") \
    /* API host: used only by code outside this module's pages (database sync, module update) */ \
    X(Api, accountInitialize, "account/initialize") \
    X(Api, appLianmaiFollowPosts, "app/LianmaiFollowPosts") \
    X(Api, appLianmaiSyncHousebook, "app/LianmaiSyncHousebook") \
    X(Api, appSyncHousebookDetail, "app/SyncHousebookDetail") \
    X(Api, appAddtag, "app/addtag") \
    X(Api, appDeltag, "app/deltag") \
    X(Api, appFollowCallDel, "app/followCallDel") \
    X(Api, appFollowadd, "app/followadd") \
    X(Api, appFollowdel, "app/followdel") \
    X(Api, appFollowposts, "app/followposts") \
    X(Api, appGetclientbookbconfig, "app/getclientbookbconfig") \
    X(Api, appGetclientbookconfig, "app/getclientbookconfig") \
    X(Api, appGetdistric, "app/getdistric") \
    X(Api, appGethousebookcategory, "app/gethousebookcategory") \
    X(Api, appGethousebookconfig, "app/gethousebookconfig") \
    X(Api, appGetpublicofferconfig, "app/getpublicofferconfig") \
    X(Api, appGettag, "app/gettag") \
    X(Api, appModifyrecord, "app/modifyrecord") \
    X(Api, appMstorehousesearch, "app/mstorehousesearch") \
    X(Api, appScontractSetting, "app/scontractSetting") \
    X(Api, appScontractposts, "app/scontractposts") \
    X(Api, appScontractrentposts, "app/scontractrentposts") \
    X(Api, appScontractrentsetting, "app/scontractrentsetting") \
    X(Api, appSynchouseInfo, "app/synchouseInfo") \
    X(Api, appSynchousebook, "app/synchousebook") \
    X(Api, appTongbuview, "app/tongbuview") \
    X(Api, apptwoFimspaixu, "apptwo/fimspaixu") \
    X(Api, callGetPhoneV2, "call/GetPhoneV2") \
    X(Api, callLianmaiGetPhoneV2, "call/LianmaiGetPhoneV2") \
    X(Api, callFollowcall, "call/followcall") \
    X(Api, callGetrecordfileX, "call/getrecordfileX") \
    X(Api, callGetsetting, "call/getsetting") \
    X(Api, callGetstaffInfo, "call/getstaffInfo") \
    X(Api, callRecordhidden, "call/recordhidden") \
    X(Api, fdGetRentFendanguize, "fd/GetRentFendanguize") \
    X(Api, fdGetfendanguize, "fd/getfendanguize") \
    X(Api, mtoreJoinusdetail, "mtore/joinusdetail") \
    X(Api, nhouseMspaixu, "nhouse/mspaixu") \
    X(Api, publicsHousecategory, "publics/housecategory") \
    X(Api, upgradeBrenvikCurrentVersiont, "upgrade/Brenvik_CurrentVersiont") \
    X(Api, upgradeBrenvikHotupdate, "upgrade/Brenvik_Hotupdate") \
    X(Api, upgradeBrenvikUpdateInfot, "upgrade/Brenvik_UpdateInfot") \
    X(Api, upgradeBrenvikUpdateTools, "upgrade/Brenvik_UpdateTools") \
    X(Api, workcenterCurrentauth, "workcenter/currentauth") \
    X(Api, workcenterJobposts, "workcenter/jobposts") \
    X(Api, workcenterStafflist, "workcenter/stafflist") \
    /* office host: used only by code outside this module's pages */ \
    X(Office, operationLogCreatelog, "OperationLog/createlog") \
    X(Office, communitySearchRange, "community/search/range") \
    X(Office, followFollowlist, "follow/followlist") \
    X(Office, hbookCheckhousedb, "hbook/checkhousedb") \
    X(Office, houseSchoolSearch, "house/schoolSearch") \
    X(Office, lmaiUserInfo, "lmai/user/info") \
    X(Office, ompEmpDeptStaffInfo, "omp/emp/dept_staff_info") \
    X(Office, ompEmpDeptStaffTable, "omp/emp/dept_staff_table") \
    X(Office, softpackBrenvikPcAppPosts, "softpack/brenvikPcAppPosts") \
    /* help host */ \
    X(Help, apiv2TutoRialCtrAddtaskrecord, "apiv2/tuto_rial_ctr/addtaskrecord") \
    X(Help, apiv301ArCheckApplyRecordCtrIsCanCheck, "apiv3_0_1/ArCheckApplyRecordCtr/isCanCheck") \
    X(Help, apiv301ArCheckApplyRecordCtrIsSetPrime, "apiv3_0_1/ArCheckApplyRecordCtr/isSetPrime") \
    /* secure host */ \
    X(Secure, blackCityList, "black/cityList") \
    X(Secure, gatherCommunity, "gather/community") \
    /* end */

namespace {

struct Table
{
#define KQ_ENDPOINT_FIELD(host, name, path) QString name;
    KQ_ENDPOINTS(KQ_ENDPOINT_FIELD)
#undef KQ_ENDPOINT_FIELD
    QString appUpphoto;
    QString emptyUrl;
    int generation = -1;
};

enum class Host { Api, Site, Office, Help, Secure };

QString base(Host host)
{
    switch (host) {
    case Host::Site:
        return ServiceAddresses::siteBase();
    case Host::Office:
        return ServiceAddresses::officeBase();
    case Host::Help:
        return ServiceAddresses::helpBase();
    case Host::Secure:
        return ServiceAddresses::secureBase();
    case Host::Api:
        break;
    }
    return ServiceAddresses::apiBase();
}

const Table& table()
{
    static Table t;
    const int generation = ServiceAddresses::generation();
    if (t.generation != generation) {
#define KQ_ENDPOINT_BUILD(host, name, path) t.name = base(Host::host) + QLatin1String(path);
        KQ_ENDPOINTS(KQ_ENDPOINT_BUILD)
#undef KQ_ENDPOINT_BUILD
        t.appUpphoto = ServiceAddresses::uploadUrl();
        t.generation = generation;
    }
    return t;
}

} // namespace

const QString& Api::appUpphoto()
{
    return table().appUpphoto;
}

const QString& Api::emptyUrl()
{
    return table().emptyUrl;
}

#define KQ_ENDPOINT_GETTER(host, name, path) \
    const QString& Api::name() { return table().name; }
KQ_ENDPOINTS(KQ_ENDPOINT_GETTER)
#undef KQ_ENDPOINT_GETTER
