#include "platform/ui/CEdit.h"

#include "platform/ui/WindowAccess.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace {

// Runs fn with the field's widget, of one line or of several.
template <class F> void OnEditor(const CEdit* edit, F&& fn)
{
    OnWindow(edit, [&](WindowRecord& rec) {
        if (auto* line = qobject_cast<QLineEdit*>(rec.widget.data()))
            fn(line);
        else if (auto* text = qobject_cast<QPlainTextEdit*>(rec.widget.data()))
            fn(text);
    });
}

} // namespace

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_EDIT, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CEdit::SetLimitText(UINT nMax)
{
    OnWidget<QLineEdit>(this, [&](QLineEdit* edit, WindowRecord&) {
        edit->setMaxLength(nMax == 0 || nMax > 32767 ? 32767 : static_cast<int>(nMax));
    });
}

void CEdit::LimitText(int nChars)
{
    SetLimitText(nChars < 0 ? 0U : static_cast<UINT>(nChars));
}

UINT CEdit::GetLimitText() const
{
    return OnWidget<QLineEdit>(this, 32767U,
                               [](QLineEdit* edit, WindowRecord&) { return static_cast<UINT>(edit->maxLength()); });
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL /*bNoScroll*/)
{
    OnWindow(this, [&](WindowRecord& rec) {
        if (auto* edit = qobject_cast<QLineEdit*>(rec.widget.data())) {
            const int length = static_cast<int>(edit->text().size());
            if (nStartChar < 0) {
                edit->deselect();
                return;
            }
            const int start = std::min(nStartChar, length);
            const int end = nEndChar < 0 ? length : std::min(nEndChar, length);
            edit->setSelection(start, end - start);
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(rec.widget.data())) {
            QTextCursor cursor = text->textCursor();
            const int length = text->document()->characterCount() - 1;
            if (nStartChar < 0) {
                cursor.clearSelection();
            } else {
                cursor.setPosition(std::min(nStartChar, length));
                cursor.setPosition(nEndChar < 0 ? length : std::min(nEndChar, length), QTextCursor::KeepAnchor);
            }
            text->setTextCursor(cursor);
        }
    });
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<short>(LOWORD(dwSelection)), static_cast<short>(HIWORD(dwSelection)), bNoScroll);
}

DWORD CEdit::GetSel() const
{
    int start = 0;
    int end = 0;
    GetSel(start, end);
    return MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end));
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    nStartChar = 0;
    nEndChar = 0;
    OnWindow(this, [&](WindowRecord& rec) {
        if (auto* edit = qobject_cast<QLineEdit*>(rec.widget.data())) {
            if (edit->hasSelectedText()) {
                nStartChar = edit->selectionStart();
                nEndChar = edit->selectionEnd();
            } else {
                nStartChar = nEndChar = edit->cursorPosition();
            }
        } else if (auto* text = qobject_cast<QPlainTextEdit*>(rec.widget.data())) {
            const QTextCursor cursor = text->textCursor();
            nStartChar = cursor.selectionStart();
            nEndChar = cursor.selectionEnd();
        }
    });
}

void CEdit::ReplaceSel(const std::string& text, BOOL /*bCanUndo*/)
{
    OnWindow(this, [&](WindowRecord& rec) {
        if (auto* edit = qobject_cast<QLineEdit*>(rec.widget.data()))
            edit->insert(QString::fromStdString(text));
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(rec.widget.data()))
            plain->insertPlainText(QString::fromStdString(text));
    });
}

BOOL CEdit::SetReadOnly(BOOL bReadOnly)
{
    return OnWindow(this, FALSE, [&](WindowRecord& rec) {
        rec.style = bReadOnly ? (rec.style | ES_READONLY) : (rec.style & ~ES_READONLY);
        OnEditor(this, [&](auto* editor) { editor->setReadOnly(bReadOnly != FALSE); });
        return TRUE;
    });
}

void CEdit::SetPasswordChar(char ch)
{
    OnWidget<QLineEdit>(this, [&](QLineEdit* edit, WindowRecord& rec) {
        rec.style = ch ? (rec.style | ES_PASSWORD) : (rec.style & ~ES_PASSWORD);
        edit->setEchoMode(ch ? QLineEdit::Password : QLineEdit::Normal);
    });
}

char CEdit::GetPasswordChar() const
{
    return OnWidget<QLineEdit>(this, '\0', [](QLineEdit* edit, WindowRecord&) {
        return edit->echoMode() == QLineEdit::Password ? '*' : '\0';
    });
}

BOOL CEdit::GetModify() const
{
    return OnWindow(this, FALSE, [](WindowRecord& rec) {
        if (auto* edit = qobject_cast<QLineEdit*>(rec.widget.data()))
            return edit->isModified() ? TRUE : FALSE;
        if (auto* plain = qobject_cast<QPlainTextEdit*>(rec.widget.data()))
            return plain->document()->isModified() ? TRUE : FALSE;
        return FALSE;
    });
}

void CEdit::SetModify(BOOL bModified)
{
    OnWindow(this, [&](WindowRecord& rec) {
        if (auto* edit = qobject_cast<QLineEdit*>(rec.widget.data()))
            edit->setModified(bModified != FALSE);
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(rec.widget.data()))
            plain->document()->setModified(bModified != FALSE);
    });
}

int CEdit::GetLineCount() const
{
    return OnWindow(this, 1, [](WindowRecord& rec) {
        if (auto* plain = qobject_cast<QPlainTextEdit*>(rec.widget.data()))
            return plain->document()->blockCount();
        return 1;
    });
}

void CEdit::Clear()
{
    OnWindow(this, [](WindowRecord& rec) {
        if (auto* edit = qobject_cast<QLineEdit*>(rec.widget.data()))
            edit->del();
        else if (auto* plain = qobject_cast<QPlainTextEdit*>(rec.widget.data()))
            plain->textCursor().removeSelectedText();
    });
}

void CEdit::Copy()
{
    OnEditor(this, [](auto* editor) { editor->copy(); });
}

void CEdit::Cut()
{
    OnEditor(this, [](auto* editor) { editor->cut(); });
}

void CEdit::Paste()
{
    OnEditor(this, [](auto* editor) { editor->paste(); });
}

BOOL CEdit::Undo()
{
    return OnWindow(this, FALSE, [](WindowRecord& rec) {
        if (auto* edit = qobject_cast<QLineEdit*>(rec.widget.data())) {
            const bool could = edit->isUndoAvailable();
            edit->undo();
            return could ? TRUE : FALSE;
        }
        if (auto* plain = qobject_cast<QPlainTextEdit*>(rec.widget.data())) {
            plain->undo();
            return TRUE;
        }
        return FALSE;
    });
}

BOOL CEdit::CanUndo() const
{
    return OnWidget<QLineEdit>(this, FALSE,
                               [](QLineEdit* edit, WindowRecord&) { return edit->isUndoAvailable() ? TRUE : FALSE; });
}
