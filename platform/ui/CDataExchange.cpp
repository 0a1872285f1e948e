#include "platform/ui/CDataExchange.h"

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/WindowAccess.h"

#include <QAbstractButton>
#include <QLineEdit>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

// A whole number with optional blanks around it; false when the text is not one.
bool ParseLong(const std::string& text, bool allowSign, long long low, long long high, long long& out)
{
    const char* begin = text.c_str();
    while (std::isspace(static_cast<unsigned char>(*begin)))
        ++begin;
    if (!*begin || (!allowSign && *begin == '-'))
        return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(begin, &end, 10);
    if (end == begin || errno == ERANGE)
        return false;
    while (std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (*end || v < low || v > high)
        return false;
    out = v;
    return true;
}

// The control the exchange works on, as its class; null when an earlier value
// was refused or the dialog has no such control.
template <class C> C* Control(CDataExchange* pDX, int nIDC, bool edit = false)
{
    if (pDX->m_bFailed)
        return nullptr;
    return static_cast<C*>(edit ? pDX->PrepareEditCtrl(nIDC) : pDX->PrepareCtrl(nIDC));
}

// Saving: the combo's text. Loading: selects the item found; an editable
// combo shows the value when none is found.
void ExchangeComboText(CDataExchange* pDX, int nIDC, std::string& value, bool exact)
{
    auto* combo = Control<CComboBox>(pDX, nIDC, true);
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = combo->GetWindowText();
        return;
    }
    const int at = exact ? combo->FindStringExact(-1, value) : combo->FindString(-1, value);
    const bool editable = (combo->GetStyle() & 0x3) != CBS_DROPDOWNLIST;
    if (at != CB_ERR)
        combo->SetCurSel(at);
    else if (editable)
        combo->SetWindowText(value);
    else if (exact)
        combo->SetCurSel(-1);
}

template <class T>
void ExchangeInteger(CDataExchange* pDX, int nIDC, T& value, bool allowSign, long long low, long long high,
                     const char* message)
{
    CWnd* control = Control<CWnd>(pDX, nIDC, true);
    if (!control)
        return;
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(std::to_string(value));
        return;
    }
    long long v = 0;
    if (!ParseLong(control->GetWindowText(), allowSign, low, high, v)) {
        AfxMessageBox(message, MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = static_cast<T>(v);
}

// Refuses a value outside minVal..maxVal when saving.
template <class T> void CheckRange(CDataExchange* pDX, T value, T minVal, T maxVal)
{
    if (pDX->m_bFailed || !pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    AfxMessageBox("Please enter an integer between " + std::to_string(minVal) + " and " + std::to_string(maxVal) + ".",
                  MB_ICONEXCLAMATION);
    pDX->Fail();
}

} // namespace

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

CWnd* CDataExchange::PrepareCtrl(int nIDC)
{
    CWnd* control = m_pDlgWnd ? m_pDlgWnd->GetDlgItem(nIDC) : nullptr;
    m_idLastControl = control ? nIDC : 0;
    m_bEditLastControl = false;
    return control;
}

CWnd* CDataExchange::PrepareEditCtrl(int nIDC)
{
    CWnd* control = PrepareCtrl(nIDC);
    m_bEditLastControl = control != nullptr;
    return control;
}

void CDataExchange::Fail()
{
    m_bFailed = true;
    CWnd* control = m_idLastControl && m_pDlgWnd ? m_pDlgWnd->GetDlgItem(m_idLastControl) : nullptr;
    if (!control)
        return;
    control->SetFocus();
    if (m_bEditLastControl) {
        OnWidget<QLineEdit>(control, [](QLineEdit* edit, WindowRecord&) { edit->selectAll(); });
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->m_bFailed || rControl.m_hWnd.load())
        return;
    if (CWnd* control = pDX->PrepareCtrl(nIDC))
        rControl.SubclassWindow(control->m_hWnd.load());
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value)
{
    CWnd* control = Control<CWnd>(pDX, nIDC, true);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate)
        value = control->GetWindowText();
    else
        control->SetWindowText(value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeInteger(pDX, nIDC, value, true, INT_MIN, INT_MAX, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeInteger(pDX, nIDC, value, false, 0, UINT_MAX, "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeInteger(pDX, nIDC, value, true, LONG_MIN, LONG_MAX, "Please enter an integer.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    ExchangeInteger(pDX, nIDC, value, true, SHRT_MIN, SHRT_MAX, "Please enter an integer between -32768 and 32767.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    ExchangeInteger(pDX, nIDC, value, false, 0, 255, "Please enter an integer between 0 and 255.");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    CWnd* control = Control<CWnd>(pDX, nIDC, true);
    if (!control)
        return;
    if (!pDX->m_bSaveAndValidate) {
        char text[64];
        std::snprintf(text, sizeof text, "%.15g", value);
        control->SetWindowText(text);
        return;
    }
    const std::string text = control->GetWindowText();
    const char* begin = text.c_str();
    char* end = nullptr;
    const double v = std::strtod(begin, &end);
    while (end && std::isspace(static_cast<unsigned char>(*end)))
        ++end;
    if (end == begin || !end || *end) {
        AfxMessageBox("Please enter a number.", MB_ICONEXCLAMATION);
        pDX->Fail();
        return;
    }
    value = v;
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    auto* button = Control<CButton>(pDX, nIDC);
    if (!button)
        return;
    if (pDX->m_bSaveAndValidate)
        value = button->GetCheck();
    else
        button->SetCheck(value < 0 || value > 2 ? 0 : value);
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    CWnd* first = Control<CWnd>(pDX, nIDC);
    if (!first)
        return;
    const HWND start = first->m_hWnd.load();
    const bool save = pDX->m_bSaveAndValidate != FALSE;
    OnWindow(first, [&](WindowRecord& rec) {
        WindowRecord* parent = WindowRegistry::Find(rec.parent);
        if (!parent)
            return;
        const auto& siblings = parent->children;
        auto it = std::find(siblings.begin(), siblings.end(), start);
        if (save)
            value = -1;
        int index = 0;
        for (; it != siblings.end(); ++it) {
            WindowRecord* r = WindowRegistry::Find(*it);
            if (!r)
                continue;
            if (*it != start && (r->style & WS_GROUP))
                break;
            const DWORD type = r->style & BS_TYPEMASK;
            if (r->className != WC_BUTTON || (type != BS_RADIOBUTTON && type != BS_AUTORADIOBUTTON))
                continue;
            auto* button = qobject_cast<QAbstractButton*>(r->widget.data());
            if (button) {
                if (save && button->isChecked())
                    value = index;
                else if (!save)
                    button->setChecked(index == value);
            }
            ++index;
        }
    });
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* combo = Control<CComboBox>(pDX, nIDC);
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate)
        index = combo->GetCurSel();
    else
        combo->SetCurSel(index);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, std::string& value)
{
    ExchangeComboText(pDX, nIDC, value, false);
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, std::string& value)
{
    ExchangeComboText(pDX, nIDC, value, true);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    auto* list = Control<CListBox>(pDX, nIDC);
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate)
        index = list->GetCurSel();
    else
        list->SetCurSel(index);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, std::string& value)
{
    auto* list = Control<CListBox>(pDX, nIDC);
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate) {
        const int at = list->GetCurSel();
        value.clear();
        if (at != LB_ERR)
            list->GetText(at, value);
    } else {
        list->SelectString(-1, value);
    }
}

void DDX_IPAddress(CDataExchange* pDX, int nIDC, DWORD& value)
{
    auto* address = Control<CIPAddressCtrl>(pDX, nIDC);
    if (!address)
        return;
    if (pDX->m_bSaveAndValidate)
        address->GetAddress(value);
    else
        address->SetAddress(value);
}

void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int nChars)
{
    if (pDX->m_bFailed)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (static_cast<int>(value.size()) > nChars) {
            AfxMessageBox("Please enter no more than " + std::to_string(nChars) + " characters.", MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        return;
    }
    CWnd* control = pDX->m_idLastControl && pDX->m_pDlgWnd ? pDX->m_pDlgWnd->GetDlgItem(pDX->m_idLastControl) : nullptr;
    if (!control)
        return;
    OnWindow(control, [&](WindowRecord& rec) {
        if (rec.className == WC_COMBOBOX)
            static_cast<CComboBox*>(control)->LimitText(nChars);
        else if (rec.className == WC_EDIT)
            static_cast<CEdit*>(control)->SetLimitText(static_cast<UINT>(nChars));
    });
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckRange(pDX, value, minVal, maxVal);
}
