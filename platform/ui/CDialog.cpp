#include "platform/ui/CDialog.h"

#include "platform/ui/MessageRouter.h"
#include "platform/ui/ModalScope.h"
#include "platform/ui/ResourceStore.h"
#include "platform/ui/WindowAccess.h"
#include "platform/ui/WindowFactory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {

HWND FirstTabStop(const WindowRecord& rec)
{
    for (HWND child : rec.children) {
        WindowRecord* c = WindowRegistry::Find(child);
        if (c && (c->style & WS_TABSTOP) && !(c->style & WS_DISABLED) && c->widget && !c->widget->isHidden())
            return child;
    }
    return nullptr;
}

void Focus(WindowRecord& control)
{
    control.widget->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control.widget.data()))
        edit->selectAll();
}

void Show(WindowRecord& rec, CWnd* dialog, bool focusFirst)
{
    // An owned dialog opens over its owner: a place it gave itself while it
    // initialised counts for its size only. A dialog without an owner keeps
    // the place it took (the main window's comes from its panel).
    WindowRecord* owner = WindowRegistry::Find(rec.owner);
    if (!rec.placed || owner)
        dialog->CenterWindow();
    if (owner && owner->widget)
        ModalScope::KeepAbove(rec.Outer(), owner->Outer());
    rec.style |= WS_VISIBLE;
    rec.Outer()->show();
    if (focusFirst) {
        if (WindowRecord* first = WindowRegistry::Find(FirstTabStop(rec)))
            Focus(*first);
    }
}

// The next (or previous) control that Tab would reach.
void MoveFocus(WindowRecord& rec, bool forward)
{
    QWidget* window = rec.Outer();
    QWidget* start = QApplication::focusWidget();
    if (!start || start->window() != window)
        start = window;
    QWidget* w = start;
    do {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w != window && w->window() == window && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
            w->isEnabled()) {
            w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    } while (w != start);
}

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() = default;

BOOL CDialog::CreateWindowFromTemplate(UINT nIDTemplate, CWnd* pParentWnd)
{
    const DialogTemplate* t = ResourceStore::Instance().FindDialog(nIDTemplate);
    if (!t || m_hWnd.load())
        return FALSE;
    m_nIDTemplate = nIDTemplate;
    m_pParentWnd = pParentWnd;
    m_nModalResult = -1;
    m_bEnded = false;
    HWND owner = pParentWnd ? pParentWnd->m_hWnd.load() : nullptr;
    // A modal dialog without a parent belongs to the window that is active now.
    if (!pParentWnd && m_bModal)
        owner = ModalScope::WindowOf(ModalScope::ActiveWindow());
    return WindowFactory::CreateDialogWindow(this, *t, owner) ? TRUE : FALSE;
}

INT_PTR CDialog::DoModal()
{
    INT_PTR result = -1;
    UiThreadCalls::Run(nullptr, [&] { result = RunModal(); });
    return result;
}

INT_PTR CDialog::RunModal()
{
    m_bModal = true;
    const BOOL created = CreateWindowFromTemplate(m_nIDTemplate, m_pParentWnd);
    m_bModal = false;
    if (!created)
        return -1;
    const HWND h = m_hWnd.load();
    QEventLoop loop;
    WindowRecord* rec = WindowRegistry::Find(h);
    rec->Outer()->setWindowModality(Qt::ApplicationModal);
    rec->modalLoop = &loop;
    const LRESULT focusFirst = MessageRouter::Send(h, WM_INITDIALOG, 0, 0);
    rec = WindowRegistry::Find(h);
    if (rec && !m_bEnded) {
        // The module's other windows take no input until the loop ends.
        const ModalScope scope(rec->Outer());
        Show(*rec, this, focusFirst != 0);
        loop.exec(QEventLoop::DialogExec);
    }
    if ((rec = WindowRegistry::Find(h))) {
        rec->modalLoop = nullptr;
        rec->Outer()->hide();
        rec->style &= ~WS_VISIBLE;
        DestroyWindow();
    }
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    BOOL created = FALSE;
    UiThreadCalls::Run(nullptr, [&] {
        if (!CreateWindowFromTemplate(nIDTemplate, pParentWnd))
            return;
        const HWND h = m_hWnd.load();
        const LRESULT focusFirst = MessageRouter::Send(h, WM_INITDIALOG, 0, 0);
        const DialogTemplate* t = ResourceStore::Instance().FindDialog(nIDTemplate);
        if (WindowRecord* rec = WindowRegistry::Find(h); rec && t && (t->style & WS_VISIBLE) && !m_bEnded)
            Show(*rec, this, focusFirst != 0);
        created = WindowRegistry::IsAlive(h) ? TRUE : FALSE;
    });
    return created;
}

BOOL CDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_INITDIALOG && !HandlesMessage(WM_INITDIALOG)) {
        const BOOL focusFirst = OnInitDialog();
        if (pResult)
            *pResult = focusFirst;
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    OnWindow(this, [&](WindowRecord& rec) {
        m_nModalResult = nResult;
        m_bEnded = true;
        if (rec.modalLoop)
            rec.modalLoop->exit(nResult);
        else
            ShowWindow(SW_HIDE);
    });
}

void CDialog::SetDefID(UINT nID)
{
    SendMessage(DM_SETDEFID, nID, 0);
}

DWORD CDialog::GetDefID() const
{
    return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0));
}

void CDialog::NextDlgCtrl() const
{
    OnWindow(this, [](WindowRecord& rec) { MoveFocus(rec, true); });
}

void CDialog::PrevDlgCtrl() const
{
    OnWindow(this, [](WindowRecord& rec) { MoveFocus(rec, false); });
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (!pWndCtrl)
        return;
    const HWND control = pWndCtrl->m_hWnd.load();
    RunForWindow(control, [&] {
        if (WindowRecord* rec = WindowRegistry::Find(control))
            Focus(*rec);
    });
}

void CDialog::MapDialogRect(LPRECT lpRect) const
{
    if (!lpRect)
        return;
    OnWindow(this, [&](WindowRecord& rec) {
        const QRect r = WindowFactory::DialogUnitsToPixels(rec.baseUnitX, rec.baseUnitY, lpRect->left, lpRect->top,
                                                           lpRect->right - lpRect->left, lpRect->bottom - lpRect->top);
        const QRect end =
            WindowFactory::DialogUnitsToPixels(rec.baseUnitX, rec.baseUnitY, lpRect->right, lpRect->bottom, 0, 0);
        *lpRect = RECT{r.left(), r.top(), end.left(), end.top()};
    });
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!pMsg || pMsg->message != WM_KEYDOWN || (pMsg->wParam != VK_RETURN && pMsg->wParam != VK_ESCAPE))
        return FALSE;
    const HWND self = m_hWnd.load();
    WindowRecord* rec = WindowRegistry::Find(self);
    WindowRecord* from = WindowRegistry::Find(pMsg->hwnd);
    if (!rec || !from)
        return FALSE;
    // Only keys typed in this dialog.
    for (WindowRecord* r = from; r != rec; r = WindowRegistry::Find(r->parent)) {
        if (!r || !r->parent)
            return FALSE;
    }
    UINT id = IDCANCEL;
    if (pMsg->wParam == VK_RETURN) {
        // A multi-line edit that wants Enter keeps it.
        if (qobject_cast<QPlainTextEdit*>(from->widget.data()) && (from->style & ES_WANTRETURN))
            return FALSE;
        id = rec->defId ? rec->defId : static_cast<UINT>(IDOK);
        if (qobject_cast<QPushButton*>(from->widget.data()) && from->parent == self)
            id = static_cast<UINT>(from->id);
    }
    HWND button = nullptr;
    for (HWND child : rec->children) {
        if (WindowRecord* c = WindowRegistry::Find(child); c && c->id == static_cast<int>(id))
            button = child;
    }
    if (WindowRecord* b = WindowRegistry::Find(button); b && (b->style & WS_DISABLED))
        return TRUE;
    MessageRouter::Send(self, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                        reinterpret_cast<LPARAM>(button));
    return TRUE;
}
