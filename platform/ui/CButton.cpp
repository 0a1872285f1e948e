#include "platform/ui/CButton.h"

#include "platform/ui/WindowAccess.h"

#include <QAbstractButton>
#include <QCheckBox>

BOOL CButton::Create(const char* lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_BUTTON, lpszCaption, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CButton::GetCheck() const
{
    return OnWidget<QAbstractButton>(this, BST_UNCHECKED, [](QAbstractButton* button, WindowRecord&) {
        if (auto* box = qobject_cast<QCheckBox*>(button); box && box->checkState() == Qt::PartiallyChecked)
            return BST_INDETERMINATE;
        return button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
    });
}

void CButton::SetCheck(int nCheck)
{
    OnWidget<QAbstractButton>(this, [&](QAbstractButton* button, WindowRecord&) {
        auto* box = qobject_cast<QCheckBox*>(button);
        if (box && box->isTristate())
            box->setCheckState(nCheck == BST_INDETERMINATE ? Qt::PartiallyChecked
                                                           : (nCheck ? Qt::Checked : Qt::Unchecked));
        else if (button->isCheckable())
            button->setChecked(nCheck != BST_UNCHECKED);
    });
}

UINT CButton::GetState() const
{
    const UINT check = static_cast<UINT>(GetCheck());
    return OnWidget<QAbstractButton>(this, 0U, [&](QAbstractButton* button, WindowRecord&) {
        return check | (button->isDown() ? BST_PUSHED : 0U) | (button->hasFocus() ? BST_FOCUS : 0U);
    });
}

void CButton::SetState(BOOL bHighlight)
{
    OnWidget<QAbstractButton>(this,
                              [&](QAbstractButton* button, WindowRecord&) { button->setDown(bHighlight != FALSE); });
}

UINT CButton::GetButtonStyle() const
{
    return GetStyle() & 0xFF;
}

void CButton::SetButtonStyle(UINT nStyle, BOOL /*bRedraw*/)
{
    ModifyStyle(0xFF, nStyle & 0xFF);
}
