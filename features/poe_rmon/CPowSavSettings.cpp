#include "features/poe_rmon/CPowSavSettings.h"

#include "common/CUtils.h"
#include "common/CWriteReport.h"
#include "common/Globals.h"
#include "features/poe_rmon/PoeTables.h"
#include "platform/snmp/CSnmp.h"
#include "platform/snmp/KorvelMib.h"
#include "platform/system/Sleep.h"
#include "platform/ui/CWnd.h"

#include <algorithm>
#include <memory>

namespace {

constexpr DWORD kPauseAfterCreateMs = 50;
// The largest port bitmap read: 8 octets.
constexpr int kBitmapOctets = 8;

std::string SavingOid(const std::string& relative)
{
    return KorvelOid("10.76.19.1.31." + relative);
}
const std::string kLinkStatusDetection = SavingOid("6.0");

// The ports, state and two profile objects of a kind (1 to 4); hibernation
// has no ports.
struct KindOids
{
    std::string ports, state, profile1, profile2;
};
KindOids OidsOf(int nType)
{
    const std::string kind = std::to_string(nType) + ".";
    if (nType == 4)
        return {"", SavingOid("4.1.0"), SavingOid("4.2.0"), SavingOid("4.3.0")};
    return {SavingOid(kind + "1.0"), SavingOid(kind + "2.0"), SavingOid(kind + "3.0"), SavingOid(kind + "4.0")};
}

std::string ProfileCell(int nColumn, const std::string& strIndex)
{
    return poe_tables::TimeProfileColumn(nColumn) + "." + strIndex;
}

} // namespace

CPowSavSettings::CPowSavSettings() = default;

CPowSavSettings::~CPowSavSettings()
{
    CloseAll();
}

std::string CPowSavSettings::NoneToEmpty(const std::string& strName)
{
    return strName == "None" ? "" : strName;
}

const POWER_saving_info& CPowSavSettings::GetRecord(int nRecord) const
{
    return m_PowerSaving.at(static_cast<std::size_t>(nRecord));
}

CPowSavSettings::ReadResult CPowSavSettings::GetPowerSaving()
{
    m_cSnmpPowerSaving.Open(SnmpPduGet);
    const std::string oids[] = {SavingOid("1.1.0"), SavingOid("1.2.0"), SavingOid("1.3.0"), SavingOid("1.4.0"),
                                SavingOid("2.1.0"), SavingOid("2.2.0"), SavingOid("2.3.0"), SavingOid("2.4.0"),
                                SavingOid("4.1.0"), SavingOid("4.2.0"), SavingOid("4.3.0"), kLinkStatusDetection};
    for (const std::string& oid : oids)
        m_cSnmpPowerSaving.AddValue(oid, SnmpValueNull);
    std::unique_ptr<CSnmp> pResponse;
    // A refused or unanswered read leaves the records as the last read gave them.
    if (const ReadResult result = m_cSnmpPowerSaving.SendFor(pResponse); result != ReadResult::Answered)
        return result;
    // A state outside enabled/disabled, or not an INTEGER, is unknown (empty);
    // ports and names are taken only from OCTET STRINGs.
    auto state = [&](int i) { return CModuleBase::EnumText(pResponse.get(), i, {1, 2}); };
    auto name = [&](int i) {
        std::string strName;
        CModuleBase::OctetValue(pResponse.get(), i, strName);
        return NoneToEmpty(strName);
    };
    for (int nRecord = 0; nRecord < 2; ++nRecord) {
        POWER_saving_info& record = m_PowerSaving[static_cast<std::size_t>(nRecord)];
        const int first = nRecord * 4;
        record.nType = nRecord + 1;
        std::string bitmap;
        record.strPorts.clear();
        if (CModuleBase::OctetValue(pResponse.get(), first, bitmap))
            CUtils::PortBitmapToRangeText(bitmap, std::min(static_cast<int>(bitmap.size()), kBitmapOctets), 1,
                                          g_nPortCount, record.strPorts);
        record.strState = state(first + 1);
        record.strTimeProfile1 = name(first + 2);
        record.strTimeProfile2 = name(first + 3);
    }
    // Port standby is not read: it is neither offered nor summarised.
    m_PowerSaving[3].strPorts.clear();
    m_PowerSaving[3].strState = "2";
    m_PowerSaving[3].strTimeProfile1.clear();
    m_PowerSaving[3].strTimeProfile2.clear();
    m_PowerSaving[2].nType = 4;
    m_PowerSaving[2].strPorts = "All Port";
    m_PowerSaving[2].strState = state(8);
    m_PowerSaving[2].strTimeProfile1 = name(9);
    m_PowerSaving[2].strTimeProfile2 = name(10);
    POWER_detection_info detection;
    detection.strLinkStatus = state(11);
    const HWND hOwner = m_hOwnerWnd;
    ::SendMessage(hOwner, WM_POWER_SAVING_NOTIFY, 0, reinterpret_cast<LPARAM>(&detection));
    ::SendMessage(hOwner, WM_POWER_SAVING_NOTIFY, 1, reinterpret_cast<LPARAM>(m_PowerSaving.data()));
    return ReadResult::Answered;
}

BOOL CPowSavSettings::SetPowerSaving(POWER_saving_info record)
{
    CWriteReport report;
    return SetPowerSaving(std::move(record), report);
}

BOOL CPowSavSettings::SetPowerSaving(POWER_saving_info record, CWriteReport& report)
{
    record.strTimeProfile1 = NoneToEmpty(record.strTimeProfile1);
    record.strTimeProfile2 = NoneToEmpty(record.strTimeProfile2);
    std::vector<int> flags(static_cast<std::size_t>(std::max(g_nPortCount, 0)), 0);
    if (!CUtils::ParsePortList(record.strPorts, flags))
        return FALSE;
    const std::vector<BYTE> bitmap = CUtils::PortFlagsToBitmap(flags);

    const KindOids oids = OidsOf(record.nType);
    m_cSnmpPowerSaving.Open(SnmpPduSet);
    auto addState = [&] { m_cSnmpPowerSaving.AddValue(oids.state, SnmpValueInteger, record.strState); };
    auto addPorts = [&] {
        m_cSnmpPowerSaving.AddValueLen(oids.ports, SnmpValueOctetString, bitmap.data(),
                                       static_cast<int>(bitmap.size()));
    };
    auto addProfiles = [&] {
        m_cSnmpPowerSaving.AddValueLen(oids.profile1, SnmpValueOctetString, record.strTimeProfile1.data(),
                                       static_cast<int>(record.strTimeProfile1.size()));
        m_cSnmpPowerSaving.AddValueLen(oids.profile2, SnmpValueOctetString, record.strTimeProfile2.data(),
                                       static_cast<int>(record.strTimeProfile2.size()));
    };
    addState();
    if (record.strState != "2") {
        if (record.nType == 1 || record.nType == 2) {
            addPorts();
            addProfiles();
        } else if (record.nType == 3) {
            addProfiles();
            addPorts();
        } else {
            addProfiles();
        }
    }
    return report.Send(m_cSnmpPowerSaving, "the power saving settings") ? TRUE : FALSE;
}

BOOL CPowSavSettings::SetLinkStatusDetection(POWER_detection_info record)
{
    CWriteReport report;
    return SetLinkStatusDetection(std::move(record), report);
}

BOOL CPowSavSettings::SetLinkStatusDetection(POWER_detection_info record, CWriteReport& report)
{
    m_cSnmpPowerSaving.Open(SnmpPduSet);
    m_cSnmpPowerSaving.AddValue(kLinkStatusDetection, SnmpValueInteger, record.strLinkStatus);
    return report.Send(m_cSnmpPowerSaving, "the link status detection") ? TRUE : FALSE;
}

bool CPowSavSettings::StartProfileNameWalk()
{
    m_cSnmpProfileWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_NamesBuilding.clear();
        m_bNamesComplete = false;
    }
    m_cSnmpProfileWalk.AddValue(poe_tables::TimeProfileColumn(2), SnmpValueNull);
    return m_cSnmpProfileWalk.StartAsync(&CPowSavSettings::OnProfileNameReply, this);
}

BOOL CPowSavSettings::WaitProfileNames()
{
    if (!m_cSnmpProfileWalk.WaitDone())
        return FALSE;
    std::lock_guard lock(m_csWalkData);
    return m_bNamesComplete ? TRUE : FALSE;
}

std::vector<std::string> CPowSavSettings::GetProfileNames() const
{
    std::lock_guard lock(m_csWalkData);
    return m_strProfileNames;
}

int CPowSavSettings::OnProfileNameReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPowSavSettings*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpProfileWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        // The names of a walk that reached the end of the table replace the
        // last ones whole; a failed walk keeps them.
        if (nStatus == SnmpStatusEndOfWalk) {
            std::lock_guard lock(pThis->m_csWalkData);
            pThis->m_strProfileNames = pThis->m_NamesBuilding;
            pThis->m_bNamesComplete = true;
        }
        session.SignalDone();
        return 0;
    }
    {
        std::lock_guard lock(pThis->m_csWalkData);
        for (int i = 0; i < pResponse->getVarBindCount(); ++i)
            if (const std::string strName = CModuleBase::ValueText(pResponse.get(), i); !strName.empty())
                pThis->m_NamesBuilding.push_back(strName);
    }
    if (!session.StartAsync(&CPowSavSettings::OnProfileNameReply, pThis))
        session.SignalDone();
    return 0;
}

void CPowSavSettings::StartTimeProfileWalk()
{
    m_cSnmpProfileWalk.Open(SnmpPduGetNext);
    {
        std::lock_guard lock(m_csWalkData);
        m_ProfilesBuilding.clear();
    }
    for (int nColumn = 1; nColumn <= poe_tables::kRangeColumns; ++nColumn)
        m_cSnmpProfileWalk.AddValue(poe_tables::TimeProfileColumn(nColumn), SnmpValueNull);
    if (!m_cSnmpProfileWalk.StartAsync(&CPowSavSettings::OnTimeProfileReply, this))
        ::SendMessage(m_hOwnerWnd, WM_TIME_PROFILE_NOTIFY, 2, 0);
}

int CPowSavSettings::OnTimeProfileReply(CSnmp* pResponseIn, int nRequestID, void* pUserData, int nStatus)
{
    std::unique_ptr<CSnmp> pResponse(pResponseIn);
    auto* pThis = static_cast<CPowSavSettings*>(pUserData);
    CCommonSNMP& session = pThis->m_cSnmpProfileWalk;
    if (!session.FindRequestID(nRequestID))
        return 0;
    if (nStatus != SnmpStatusOk || !pResponse) {
        session.SignalDone();
        // The rows go to the owner whole, at the end of the table.
        if (nStatus == SnmpStatusEndOfWalk) {
            std::vector<TIME_profile_info> rows;
            {
                std::lock_guard lock(pThis->m_csWalkData);
                rows = pThis->m_ProfilesBuilding;
            }
            const HWND hOwner = pThis->m_hOwnerWnd;
            for (const TIME_profile_info& row : rows)
                ::SendMessage(hOwner, WM_TIME_PROFILE_NOTIFY, 0, reinterpret_cast<LPARAM>(&row));
            ::SendMessage(hOwner, WM_TIME_PROFILE_NOTIFY, 1, 0);
        } else {
            ::SendMessage(pThis->m_hOwnerWnd, WM_TIME_PROFILE_NOTIFY, 2, 0);
        }
        return 0;
    }
    auto value = [&](int nColumn) { return CModuleBase::ValueText(pResponse.get(), nColumn - 1); };
    auto twoDigits = [&](int nColumn) { return "00" + value(nColumn); };
    // The row is known by its own index; an index that cannot be a profile's
    // is skipped.
    std::string strSuffix;
    session.GetIndexSuffix(0, pResponse.get(), strSuffix);
    const int nIndex = poe_tables::RowIndex(strSuffix);
    if (nIndex == 0) {
        if (!session.StartAsync(&CPowSavSettings::OnTimeProfileReply, pThis)) {
            session.SignalDone();
            ::SendMessage(pThis->m_hOwnerWnd, WM_TIME_PROFILE_NOTIFY, 2, 0);
        }
        return 0;
    }
    TIME_profile_info row;
    row.strIndex = std::to_string(nIndex);
    row.strName = value(2);
    row.strDateFlag = value(3);
    if (row.strDateFlag == "1") {
        row.from.strYear = value(4);
        row.from.strMonth = twoDigits(5);
        row.from.strDay = twoDigits(6);
        row.to.strYear = value(9);
        row.to.strMonth = twoDigits(10);
        row.to.strDay = twoDigits(11);
    }
    row.from.strHour = twoDigits(7);
    row.from.strMinute = twoDigits(8);
    row.to.strHour = twoDigits(12);
    row.to.strMinute = twoDigits(13);
    for (int i = 0; i < 7; ++i)
        row.strWeekdays[static_cast<std::size_t>(i)] = value(14 + i);
    row.strRowStatus = value(21);
    {
        std::lock_guard lock(pThis->m_csWalkData);
        pThis->m_ProfilesBuilding.push_back(std::move(row));
    }
    if (!session.StartAsync(&CPowSavSettings::OnTimeProfileReply, pThis)) {
        session.SignalDone();
        ::SendMessage(pThis->m_hOwnerWnd, WM_TIME_PROFILE_NOTIFY, 2, 0);
    }
    return 0;
}

bool CPowSavSettings::SetProfileStatus(const std::string& strIndex, const char* pszStatus, CWriteReport& report,
                                       const std::string& strWhat)
{
    m_cSnmpProfileSet.Open(SnmpPduSet);
    m_cSnmpProfileSet.AddValue(ProfileCell(poe_tables::kRowStatusColumn, strIndex), SnmpValueInteger, pszStatus);
    return report.Send(m_cSnmpProfileSet, strWhat);
}

BOOL CPowSavSettings::AddTimeProfile(TIME_profile_info profile)
{
    CWriteReport report;
    return AddTimeProfile(std::move(profile), report);
}

BOOL CPowSavSettings::AddTimeProfile(TIME_profile_info profile, CWriteReport& report)
{
    const std::string strIndex = profile.strIndex;
    const std::string strWhat = "the time profile " + profile.strName;
    const std::string strStatusOid = ProfileCell(poe_tables::kRowStatusColumn, strIndex);
    // A free index may be that of a row left waiting (not in service): a
    // switch refuses to create it again, so it is replaced.
    CWriteReport create;
    if (!SetProfileStatus(strIndex, "5", create, strWhat)) {
        std::string strStatus;
        if (create.TimedOut() || !m_ModuleBase.GetValue(strStatusOid, strStatus) || strStatus != "2") {
            // The first refusal (or silence) is what the user is told.
            if (create.TimedOut())
                report.Silent(strWhat);
            else
                report.Refused(strWhat, create.ErrorStatus());
            return FALSE;
        }
        if (!SetProfileStatus(strIndex, "6", report, strWhat) || !SetProfileStatus(strIndex, "5", report, strWhat))
            return FALSE;
    }
    Sleep(kPauseAfterCreateMs);
    m_cSnmpProfileSet.Open(SnmpPduSet);
    auto add = [&](int nColumn, const std::string& strValue) {
        m_cSnmpProfileSet.AddValue(ProfileCell(nColumn, strIndex), SnmpValueInteger, strValue);
    };
    m_cSnmpProfileSet.AddValueLen(ProfileCell(2, strIndex), SnmpValueOctetString, profile.strName.data(),
                                  static_cast<int>(profile.strName.size()));
    add(3, profile.strDateFlag);
    if (profile.strDateFlag == "1") {
        add(4, profile.from.strYear);
        add(5, profile.from.strMonth);
        add(6, profile.from.strDay);
        add(9, profile.to.strYear);
        add(10, profile.to.strMonth);
        add(11, profile.to.strDay);
    }
    add(7, profile.from.strHour);
    add(8, profile.from.strMinute);
    add(12, profile.to.strHour);
    add(13, profile.to.strMinute);
    for (int i = 0; i < 7; ++i)
        add(14 + i, profile.strWeekdays[static_cast<std::size_t>(i)]);
    add(poe_tables::kRowStatusColumn, "1");
    if (report.Send(m_cSnmpProfileSet, strWhat))
        return TRUE;
    // The row the create left waiting would hold its index for ever; a
    // switch that did not answer is not asked again.
    if (!report.TimedOut()) {
        CWriteReport cleanUp;
        SetProfileStatus(strIndex, "6", cleanUp, strWhat);
    }
    return FALSE;
}

BOOL CPowSavSettings::DeleteTimeProfile(const std::string& strIndex)
{
    CWriteReport report;
    return DeleteTimeProfile(strIndex, report);
}

BOOL CPowSavSettings::DeleteTimeProfile(const std::string& strIndex, CWriteReport& report)
{
    return SetProfileStatus(strIndex, "6", report, "the removal of time profile " + strIndex) ? TRUE : FALSE;
}

void CPowSavSettings::CloseAll()
{
    m_cSnmpProfileWalk.Close();
    m_cSnmpProfileSet.Close();
    m_cSnmpPowerSaving.Close();
    m_cSnmpSpare.Close();
}
