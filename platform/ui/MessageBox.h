// Message boxes. Every box of the program, AfxMessageBox and CWnd::MessageBox
// alike, goes through ShowMessageBox, so tests can install one hook that
// records what would have been shown and gives the answer (the hook runs on
// the UI thread, as the box would).
#pragma once

#include "platform/system/WinTypes.h"

#include <functional>
#include <string>

// Buttons.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_OKCANCEL = 0x0001;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_YESNO = 0x0004;
inline constexpr UINT MB_TYPEMASK = 0x000F;
// Icons.
inline constexpr UINT MB_ICONHAND = 0x0010;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x0030;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONASTERISK = 0x0040;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0x00F0;
// Default button and modality.
inline constexpr UINT MB_DEFBUTTON1 = 0x0000;
inline constexpr UINT MB_DEFBUTTON2 = 0x0100;
inline constexpr UINT MB_DEFBUTTON3 = 0x0200;
inline constexpr UINT MB_DEFMASK = 0x0F00;
inline constexpr UINT MB_APPLMODAL = 0x0000;
inline constexpr UINT MB_SYSTEMMODAL = 0x1000;
inline constexpr UINT MB_TASKMODAL = 0x2000;
inline constexpr UINT MB_SETFOREGROUND = 0x10000;
inline constexpr UINT MB_TOPMOST = 0x40000;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

struct MessageBoxCall
{
    std::string text;
    std::string caption;
    UINT type = MB_OK;
};

// A hook answers in place of the user; an empty hook restores the real boxes.
using MessageBoxHook = std::function<int(const MessageBoxCall&)>;
void SetMessageBoxHook(MessageBoxHook hook);

// The one function behind every message box. An empty caption is the
// application's title. From any thread: the box is shown (and the hook is
// called) on the UI thread, and the calling thread waits for the answer.
int ShowMessageBox(const std::string& text, const std::string& caption, UINT type);

int AfxMessageBox(const std::string& text, UINT type = MB_OK, UINT helpId = 0);
// The text of the string-table entry nIDPrompt.
int AfxMessageBox(UINT nIDPrompt, UINT type = MB_OK, UINT helpId = static_cast<UINT>(-1));
