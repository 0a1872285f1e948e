// The standard print dialog. Every print dialog goes through one function, so
// tests can install a hook that answers in its place: with a PDF printer that
// writes into a file, or by cancelling.
//
//   CPrintDialog dialog(FALSE);              // default options
//   if (dialog.DoModal() != IDOK) return;
//   CDC dc;
//   if (!dialog.CreatePrinterDC(dc)) ...     // no printer to print on
//   dc.SetMapMode(MM_TWIPS); dc.StartDoc(&info); ...   (CDC.h)
#pragma once

#include "platform/system/WinTypes.h"

#include <functional>
#include <memory>
#include <string>

class CDC;
class CWnd;

namespace gdi_detail {
class PrinterDevice;
}

// Options.
inline constexpr DWORD PD_ALLPAGES = 0x00000000;
inline constexpr DWORD PD_NOSELECTION = 0x00000004;
inline constexpr DWORD PD_NOPAGENUMS = 0x00000008;
inline constexpr DWORD PD_USEDEVMODECOPIES = 0x00040000;
inline constexpr DWORD PD_HIDEPRINTTOFILE = 0x00100000;

struct PrintDialogCall
{
    DWORD flags = 0;
};

// IDOK with a PDF printer writing into pdfFile, or IDCANCEL. IDOK with an
// empty pdfFile: a printer was chosen that gives no device context.
struct PrintDialogAnswer
{
    int result = 2; // IDCANCEL
    std::string pdfFile;
};

// A hook answers in place of the user; an empty hook restores the real dialog.
using PrintDialogHook = std::function<PrintDialogAnswer(const PrintDialogCall&)>;
void SetPrintDialogHook(PrintDialogHook hook);

class CPrintDialog
{
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog();
    CPrintDialog(const CPrintDialog&) = delete;
    CPrintDialog& operator=(const CPrintDialog&) = delete;

    // IDOK when a printer was chosen, IDCANCEL otherwise. UI thread only.
    INT_PTR DoModal();
    // Makes dc a printer context of the chosen printer; FALSE when there is
    // none (the dialog was cancelled, or the printer gives no context).
    BOOL CreatePrinterDC(CDC& dc);

private:
    DWORD m_flags;
    CWnd* m_pParentWnd;
    std::shared_ptr<gdi_detail::PrinterDevice> m_printer;
};
