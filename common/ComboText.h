// Reading and filling combo boxes.
#pragma once

#include "platform/ui/CComboBox.h"

#include <string>

// The text of the selected item; empty when none is selected.
inline std::string Selection(const CComboBox& box)
{
    std::string text;
    if (box.GetCurSel() >= 0)
        box.GetLBText(box.GetCurSel(), text);
    return text;
}

// The text of the selected item in strText; false (strText untouched) when
// none is selected.
inline bool Selected(const CComboBox& combo, std::string& strText)
{
    if (combo.GetCurSel() == CB_ERR)
        return false;
    combo.GetLBText(combo.GetCurSel(), strText);
    return true;
}

// What the combo's field shows (typed or selected).
inline std::string ComboText(const CComboBox& combo)
{
    std::string text;
    combo.GetWindowText(text);
    return text;
}

// The numbers nFirst to nLast as items, the first one selected.
inline void FillNumbers(CComboBox& combo, int nFirst, int nLast)
{
    combo.ResetContent();
    for (int n = nFirst; n <= nLast; ++n)
        combo.AddString(std::to_string(n));
    combo.SetCurSel(0);
}
