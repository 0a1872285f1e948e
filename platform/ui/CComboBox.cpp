#include "platform/ui/CComboBox.h"

#include "platform/ui/TextCopy.h"
#include "platform/ui/WindowAccess.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kDataRole = Qt::UserRole;

// Changes the layer makes send no notification, and keep the selection and the
// field's text where a combo box keeps them.
class Quiet
{
public:
    Quiet(QComboBox* combo, WindowRecord& rec) : m_combo(combo), m_rec(rec)
    {
        ++m_rec.quietNotifications;
        m_index = combo->currentIndex();
        if (combo->isEditable())
            m_text = combo->currentText();
    }
    ~Quiet() { --m_rec.quietNotifications; }
    // After an insertion: an empty selection stays empty, the typed text stays.
    void KeepSelection()
    {
        if (m_index < 0)
            m_combo->setCurrentIndex(-1);
        if (m_combo->isEditable())
            m_combo->setEditText(m_text);
    }

private:
    QComboBox* m_combo;
    WindowRecord& m_rec;
    int m_index = -1;
    QString m_text;
};

int Find(QComboBox* combo, int start, const std::string& text, bool exact)
{
    return FindItemText(combo->count(), start, text, exact, [combo](int i) { return combo->itemText(i); });
}

} // namespace

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_COMBOBOX, "", dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

int CComboBox::GetCount() const
{
    return OnWidget<QComboBox>(this, CB_ERR, [](QComboBox* combo, WindowRecord&) { return combo->count(); });
}

int CComboBox::GetCurSel() const
{
    return OnWidget<QComboBox>(this, CB_ERR, [](QComboBox* combo, WindowRecord&) {
        const int i = combo->currentIndex();
        return i < 0 ? CB_ERR : i;
    });
}

int CComboBox::SetCurSel(int nSelect)
{
    return OnWidget<QComboBox>(this, CB_ERR, [&](QComboBox* combo, WindowRecord& rec) {
        Quiet quiet(combo, rec);
        if (nSelect < 0 || nSelect >= combo->count()) {
            combo->setCurrentIndex(-1);
            if (combo->isEditable())
                combo->setEditText(QString());
            return CB_ERR;
        }
        combo->setCurrentIndex(nSelect);
        return nSelect;
    });
}

int CComboBox::AddString(const std::string& text)
{
    return OnWidget<QComboBox>(this, CB_ERR, [&](QComboBox* combo, WindowRecord& rec) {
        Quiet quiet(combo, rec);
        const QString item = QString::fromStdString(text);
        int at = combo->count();
        if (rec.style & CBS_SORT) {
            at = 0;
            while (at < combo->count() && QString::compare(combo->itemText(at), item, Qt::CaseInsensitive) <= 0)
                ++at;
        }
        combo->insertItem(at, item);
        combo->setItemData(at, QVariant::fromValue<qulonglong>(0), kDataRole);
        quiet.KeepSelection();
        return at;
    });
}

int CComboBox::InsertString(int nIndex, const std::string& text)
{
    return OnWidget<QComboBox>(this, CB_ERR, [&](QComboBox* combo, WindowRecord& rec) {
        if (nIndex > combo->count())
            return CB_ERR;
        Quiet quiet(combo, rec);
        const int at = nIndex < 0 ? combo->count() : nIndex;
        combo->insertItem(at, QString::fromStdString(text));
        combo->setItemData(at, QVariant::fromValue<qulonglong>(0), kDataRole);
        quiet.KeepSelection();
        return at;
    });
}

int CComboBox::DeleteString(UINT nIndex)
{
    return OnWidget<QComboBox>(this, CB_ERR, [&](QComboBox* combo, WindowRecord& rec) {
        const int index = static_cast<int>(nIndex);
        if (index >= combo->count())
            return CB_ERR;
        Quiet quiet(combo, rec);
        const bool wasCurrent = combo->currentIndex() == index;
        const QString text = combo->isEditable() ? combo->currentText() : QString();
        combo->removeItem(index);
        if (wasCurrent)
            combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(text);
        return combo->count();
    });
}

void CComboBox::ResetContent()
{
    OnWidget<QComboBox>(this, [](QComboBox* combo, WindowRecord& rec) {
        Quiet quiet(combo, rec);
        combo->clear();
        if (combo->isEditable())
            combo->setEditText(QString());
    });
}

void CComboBox::GetLBText(int nIndex, std::string& text) const
{
    text = OnWidget<QComboBox>(this, std::string(), [&](QComboBox* combo, WindowRecord&) {
        return nIndex >= 0 && nIndex < combo->count() ? combo->itemText(nIndex).toStdString() : std::string();
    });
}

int CComboBox::GetLBTextLen(int nIndex) const
{
    return OnWidget<QComboBox>(this, CB_ERR, [&](QComboBox* combo, WindowRecord&) {
        return nIndex >= 0 && nIndex < combo->count() ? static_cast<int>(combo->itemText(nIndex).toStdString().size())
                                                      : CB_ERR;
    });
}

int CComboBox::FindString(int nStartAfter, const std::string& text) const
{
    return OnWidget<QComboBox>(this, CB_ERR,
                               [&](QComboBox* combo, WindowRecord&) { return Find(combo, nStartAfter, text, false); });
}

int CComboBox::FindStringExact(int nIndexStart, const std::string& text) const
{
    return OnWidget<QComboBox>(this, CB_ERR,
                               [&](QComboBox* combo, WindowRecord&) { return Find(combo, nIndexStart, text, true); });
}

int CComboBox::SelectString(int nStartAfter, const std::string& text)
{
    const int at = FindString(nStartAfter, text);
    if (at != CB_ERR)
        SetCurSel(at);
    return at;
}

DWORD_PTR CComboBox::GetItemData(int nIndex) const
{
    return OnWidget<QComboBox>(this, static_cast<DWORD_PTR>(CB_ERR), [&](QComboBox* combo, WindowRecord&) {
        if (nIndex < 0 || nIndex >= combo->count())
            return static_cast<DWORD_PTR>(CB_ERR);
        return static_cast<DWORD_PTR>(combo->itemData(nIndex, kDataRole).toULongLong());
    });
}

int CComboBox::SetItemData(int nIndex, DWORD_PTR dwItemData)
{
    return OnWidget<QComboBox>(this, CB_ERR, [&](QComboBox* combo, WindowRecord&) {
        if (nIndex < 0 || nIndex >= combo->count())
            return CB_ERR;
        combo->setItemData(nIndex, QVariant::fromValue<qulonglong>(dwItemData), kDataRole);
        return 0;
    });
}

BOOL CComboBox::LimitText(int nMaxChars)
{
    return OnWidget<QComboBox>(this, FALSE, [&](QComboBox* combo, WindowRecord&) {
        if (!combo->lineEdit())
            return FALSE;
        combo->lineEdit()->setMaxLength(nMaxChars <= 0 ? 32767 : nMaxChars);
        return TRUE;
    });
}

DWORD CComboBox::GetEditSel() const
{
    return OnWidget<QComboBox>(this, DWORD{0}, [](QComboBox* combo, WindowRecord&) -> DWORD {
        QLineEdit* edit = combo->lineEdit();
        if (!edit)
            return 0;
        const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
        const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
        return MAKELONG(static_cast<WORD>(start), static_cast<WORD>(end));
    });
}

BOOL CComboBox::SetEditSel(int nStartChar, int nEndChar)
{
    return OnWidget<QComboBox>(this, FALSE, [&](QComboBox* combo, WindowRecord&) {
        QLineEdit* edit = combo->lineEdit();
        if (!edit)
            return FALSE;
        const int length = static_cast<int>(edit->text().size());
        if (nStartChar < 0) {
            edit->deselect();
            return TRUE;
        }
        const int start = std::min(nStartChar, length);
        const int end = nEndChar < 0 ? length : std::min(nEndChar, length);
        edit->setSelection(start, end - start);
        return TRUE;
    });
}

void CComboBox::ShowDropDown(BOOL bShowIt)
{
    OnWidget<QComboBox>(this, [&](QComboBox* combo, WindowRecord&) {
        if (bShowIt)
            combo->showPopup();
        else
            combo->hidePopup();
    });
}

BOOL CComboBox::GetDroppedState() const
{
    return OnWidget<QComboBox>(this, FALSE, [](QComboBox* combo, WindowRecord&) {
        return combo->view() && combo->view()->isVisible() ? TRUE : FALSE;
    });
}
