#ifndef ENDPOINTS_H
#define ENDPOINTS_H

#include <QString>

// Every address the module calls: a base address of ServiceAddresses followed by a fixed path.
// Each is built once, on first use (and again after ServiceAddresses::reload()), and never changes
// otherwise. The path of each endpoint stands beside its name.
namespace Api {

// The photo upload endpoint: the API host followed by "app/upphoto".
const QString& appUpphoto();
// An address that is deliberately empty.
const QString& emptyUrl();

// API host: used by the module's pages and objects
const QString& appHousegrouppostst(); // "app/housegrouppostst"
const QString& apptwoFiclickstore(); // "apptwo/ficlickstore"
const QString& apptwoFiclientposts(); // "apptwo/ficlientposts"
const QString& apptwoFigetconfig(); // "apptwo/figetconfig"
const QString& apptwoFimsposts(); // "apptwo/fimsposts"
const QString& apptwoFipaixu(); // "apptwo/fipaixu"
const QString& callGetcompanyrecordfilex(); // "call/getcompanyrecordfilex"
const QString& mtoreCustomAppmodify(); // "mtore/CustomAppmodify"
const QString& mtoreAppposts(); // "mtore/appposts"
const QString& mtoreCompanyinfo(); // "mtore/companyinfo"
const QString& mtoreCompanyinfoaddmod(); // "mtore/companyinfoaddmod"
const QString& mtoreCustomappadd(); // "mtore/customappadd"
const QString& mtoreCustomappdelete(); // "mtore/customappdelete"
const QString& mtoreDeletemshouse(); // "mtore/deletemshouse"
const QString& mtoreGetmstoreconfig(); // "mtore/getmstoreconfig"
const QString& mtoreGetmstorestyleconfig(); // "mtore/getmstorestyleconfig"
const QString& mtoreGzposts(); // "mtore/gzposts"
const QString& mtoreJoinusadd(); // "mtore/joinusadd"
const QString& mtoreJoinusdelete(); // "mtore/joinusdelete"
const QString& mtoreJoinusmodify(); // "mtore/joinusmodify"
const QString& mtoreJoinusposts(); // "mtore/joinusposts"
const QString& mtoreLunboadd(); // "mtore/lunboadd"
const QString& mtoreLunbodelete(); // "mtore/lunbodelete"
const QString& mtoreLunbomodify(); // "mtore/lunbomodify"
const QString& mtoreLunbopaixu(); // "mtore/lunbopaixu"
const QString& mtoreLunboposts(); // "mtore/lunboposts"
const QString& mtoreMshouseclickstore(); // "mtore/mshouseclickstore"
const QString& mtoreMshouseposts(); // "mtore/mshouseposts"
const QString& mtoreMshouseshenhe(); // "mtore/mshouseshenhe"
const QString& mtoreMstoreconfig(); // "mtore/mstoreconfig"
const QString& mtoreMzposts(); // "mtore/mzposts"
const QString& mtoreNewhouseposts(); // "mtore/newhouseposts"
const QString& mtoreSettuijian(); // "mtore/settuijian"
const QString& nhouseCanceltop(); // "nhouse/canceltop"
const QString& nhouseClickstore(); // "nhouse/clickstore"
const QString& nhousePaixu(); // "nhouse/paixu"
const QString& nhousePosts(); // "nhouse/posts"
const QString& workcenterJobauthInfo(); // "workcenter/jobauthInfo"
const QString& workcenterJobedit(); // "workcenter/jobedit"

// site host: used by the module's pages
const QString& baikeListRemove(); // "baike_list_remove"
const QString& setwmenu(); // "setwmenu"
const QString& softbaikelist(); // "softbaikelist"
const QString& softsubjectlist(); // "softsubjectlist"
const QString& softzixun(); // "softzixun"
const QString& subjectAdd(); // "subject_add"
const QString& subjectEdit(); // "subject_edit"
const QString& subjects(); // "subjects"
const QString& subjectsdel(); // "subjectsdel"
const QString& zixunListRemove(); // "zixun_list_remove"

// office host: used by the person and department choosers
const QString& lmaiDeptLwpSub(); // "lmai/dept/lwpSub"
const QString& lmaiLwpV2(); // "lmai/lwpV2"
const QString& ompDeptLwpSub(); // "omp/dept/lwpSub"
const QString& ompLwpV2(); // "omp/lwpV2"

// API host: used only by code outside this module's pages (database sync, module update)
const QString& accountInitialize(); // "account/initialize"
const QString& appLianmaiFollowPosts(); // "app/LianmaiFollowPosts"
const QString& appLianmaiSyncHousebook(); // "app/LianmaiSyncHousebook"
const QString& appSyncHousebookDetail(); // "app/SyncHousebookDetail"
const QString& appAddtag(); // "app/addtag"
const QString& appDeltag(); // "app/deltag"
const QString& appFollowCallDel(); // "app/followCallDel"
const QString& appFollowadd(); // "app/followadd"
const QString& appFollowdel(); // "app/followdel"
const QString& appFollowposts(); // "app/followposts"
const QString& appGetclientbookbconfig(); // "app/getclientbookbconfig"
const QString& appGetclientbookconfig(); // "app/getclientbookconfig"
const QString& appGetdistric(); // "app/getdistric"
const QString& appGethousebookcategory(); // "app/gethousebookcategory"
const QString& appGethousebookconfig(); // "app/gethousebookconfig"
const QString& appGetpublicofferconfig(); // "app/getpublicofferconfig"
const QString& appGettag(); // "app/gettag"
const QString& appModifyrecord(); // "app/modifyrecord"
const QString& appMstorehousesearch(); // "app/mstorehousesearch"
const QString& appScontractSetting(); // "app/scontractSetting"
const QString& appScontractposts(); // "app/scontractposts"
const QString& appScontractrentposts(); // "app/scontractrentposts"
const QString& appScontractrentsetting(); // "app/scontractrentsetting"
const QString& appSynchouseInfo(); // "app/synchouseInfo"
const QString& appSynchousebook(); // "app/synchousebook"
const QString& appTongbuview(); // "app/tongbuview"
const QString& apptwoFimspaixu(); // "apptwo/fimspaixu"
const QString& callGetPhoneV2(); // "call/GetPhoneV2"
const QString& callLianmaiGetPhoneV2(); // "call/LianmaiGetPhoneV2"
const QString& callFollowcall(); // "call/followcall"
const QString& callGetrecordfileX(); // "call/getrecordfileX"
const QString& callGetsetting(); // "call/getsetting"
const QString& callGetstaffInfo(); // "call/getstaffInfo"
const QString& callRecordhidden(); // "call/recordhidden"
const QString& fdGetRentFendanguize(); // "fd/GetRentFendanguize"
const QString& fdGetfendanguize(); // "fd/getfendanguize"
const QString& mtoreJoinusdetail(); // "mtore/joinusdetail"
const QString& nhouseMspaixu(); // "nhouse/mspaixu"
const QString& publicsHousecategory(); // "publics/housecategory"
const QString& upgradeBrenvikCurrentVersiont(); // "upgrade/Brenvik_CurrentVersiont"
const QString& upgradeBrenvikHotupdate(); // "upgrade/Brenvik_Hotupdate"
const QString& upgradeBrenvikUpdateInfot(); // "upgrade/Brenvik_UpdateInfot"
const QString& upgradeBrenvikUpdateTools(); // "upgrade/Brenvik_UpdateTools"
const QString& workcenterCurrentauth(); // "workcenter/currentauth"
const QString& workcenterJobposts(); // "workcenter/jobposts"
const QString& workcenterStafflist(); // "workcenter/stafflist"

// office host: used only by code outside this module's pages
const QString& operationLogCreatelog(); // "OperationLog/createlog"
const QString& communitySearchRange(); // "community/search/range"
const QString& followFollowlist(); // "follow/followlist"
const QString& hbookCheckhousedb(); // "hbook/checkhousedb"
const QString& houseSchoolSearch(); // "house/schoolSearch"
const QString& lmaiUserInfo(); // "lmai/user/info"
const QString& ompEmpDeptStaffInfo(); // "omp/emp/dept_staff_info"
const QString& ompEmpDeptStaffTable(); // "omp/emp/dept_staff_table"
const QString& softpackBrenvikPcAppPosts(); // "softpack/brenvikPcAppPosts"

// help host
const QString& apiv2TutoRialCtrAddtaskrecord(); // "apiv2/tuto_rial_ctr/addtaskrecord"
const QString& apiv301ArCheckApplyRecordCtrIsCanCheck(); // "apiv3_0_1/ArCheckApplyRecordCtr/isCanCheck"
const QString& apiv301ArCheckApplyRecordCtrIsSetPrime(); // "apiv3_0_1/ArCheckApplyRecordCtr/isSetPrime"

// secure host
const QString& blackCityList(); // "black/cityList"
const QString& gatherCommunity(); // "gather/community"

} // namespace Api

#endif // ENDPOINTS_H
