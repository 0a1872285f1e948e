// The dialog base of the main window: it owns the front-panel tree and the
// module list, has the panel description read into them, places and sizes
// the window after the panel, paints the background bitmap and the panel's
// parts whenever the background is erased, and realises the background's
// palette.
#pragma once

#include "panel/CDIBitmap.h"
#include "panel/CDevModule.h"
#include "panel/CModule.h"
#include "platform/ui/CDialog.h"

#include <memory>
#include <string>
#include <vector>

class CBitmapDialog : public CDialog
{
public:
    CBitmapDialog();
    explicit CBitmapDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CBitmapDialog() override;

    // Reads the panel description fileName into the tree, loads the
    // background from the DEVICEPANEL's BMP and moves the window to the
    // DEVICEPANEL's LEFT and TOP with a client area of its WIDTH and HEIGHT.
    // Returns 1; 0, with the window left as it was, when the file gave no
    // panel (it cannot be read, is no panel description, or its DEVICEPANEL
    // is broken).
    int LoadPanelFromXml(const std::string& fileName);

    // After a status walk timed out: the first 48 ports among the root's
    // children go to PORTENABLE, ports 49 to 52 to PORTEMPTY, further ports
    // keep their status. Any thread.
    void ResetPortLeds();

    const CDevModule& GetPanelRoot() const { return m_root; }
    CDevModule& GetPanelRoot() { return m_root; }
    const std::vector<std::unique_ptr<CModule>>& GetModules() const { return m_modules; }
    const CDIBitmap& GetBackground() const { return m_bmpBackground; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    BOOL OnEraseBkgnd(CDC* pDC);
    BOOL OnQueryNewPalette();
    void OnPaletteChanged(CWnd* pFocusWnd);

    // How the background is drawn: 1 stretched over the client area with the
    // panel's parts on it (after a panel is loaded), 2 centred, any other
    // value tiled. 0 until a panel is loaded.
    int m_nDrawMode = 0;
    CDIBitmap m_bmpBackground;
    CDevModule m_root;
    std::vector<std::unique_ptr<CModule>> m_modules;

    DECLARE_MESSAGE_MAP()

private:
    // Realises the background's palette in a client context; TRUE when that
    // changed a colour (the window is then repainted).
    BOOL RealizeBackgroundPalette(BOOL bForceBackground);
};
