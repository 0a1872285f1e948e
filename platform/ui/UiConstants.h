// Message numbers, notification codes, window and control styles, show and
// position flags, key codes: the numbers the program's window code uses, with
// the values of the platform it was written for, so that message numbers such
// as WM_USER + n and style masks keep their meaning.
#pragma once

#include "platform/ui/UiTypes.h"

// Messages.
inline constexpr UINT WM_NULL = 0x0000;
inline constexpr UINT WM_CREATE = 0x0001;
inline constexpr UINT WM_DESTROY = 0x0002;
inline constexpr UINT WM_MOVE = 0x0003;
inline constexpr UINT WM_SIZE = 0x0005;
inline constexpr UINT WM_ACTIVATE = 0x0006;
inline constexpr UINT WM_SETFOCUS = 0x0007;
inline constexpr UINT WM_KILLFOCUS = 0x0008;
inline constexpr UINT WM_ENABLE = 0x000A;
inline constexpr UINT WM_SETTEXT = 0x000C;
inline constexpr UINT WM_GETTEXT = 0x000D;
inline constexpr UINT WM_GETTEXTLENGTH = 0x000E;
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_CLOSE = 0x0010;
inline constexpr UINT WM_QUIT = 0x0012;
inline constexpr UINT WM_ERASEBKGND = 0x0014;
inline constexpr UINT WM_SHOWWINDOW = 0x0018;
inline constexpr UINT WM_SETCURSOR = 0x0020;
inline constexpr UINT WM_GETMINMAXINFO = 0x0024;
inline constexpr UINT WM_SETFONT = 0x0030;
inline constexpr UINT WM_GETFONT = 0x0031;
inline constexpr UINT WM_QUERYDRAGICON = 0x0037;
inline constexpr UINT WM_COPYDATA = 0x004A;
inline constexpr UINT WM_NOTIFY = 0x004E;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_SETICON = 0x0080;
inline constexpr UINT WM_NCDESTROY = 0x0082;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_KEYUP = 0x0101;
inline constexpr UINT WM_CHAR = 0x0102;
inline constexpr UINT WM_INITDIALOG = 0x0110;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_TIMER = 0x0113;
inline constexpr UINT WM_HSCROLL = 0x0114;
inline constexpr UINT WM_VSCROLL = 0x0115;
inline constexpr UINT WM_CTLCOLORMSGBOX = 0x0132;
inline constexpr UINT WM_CTLCOLOREDIT = 0x0133;
inline constexpr UINT WM_CTLCOLORLISTBOX = 0x0134;
inline constexpr UINT WM_CTLCOLORBTN = 0x0135;
inline constexpr UINT WM_CTLCOLORDLG = 0x0136;
inline constexpr UINT WM_CTLCOLORSCROLLBAR = 0x0137;
inline constexpr UINT WM_CTLCOLORSTATIC = 0x0138;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_LBUTTONDBLCLK = 0x0203;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;
inline constexpr UINT WM_RBUTTONDBLCLK = 0x0206;
inline constexpr UINT WM_MBUTTONDOWN = 0x0207;
inline constexpr UINT WM_MBUTTONUP = 0x0208;
inline constexpr UINT WM_MBUTTONDBLCLK = 0x0209;
inline constexpr UINT WM_MOUSEWHEEL = 0x020A;
inline constexpr UINT WM_SIZING = 0x0214;
inline constexpr UINT WM_CLEAR = 0x0303;
inline constexpr UINT WM_QUERYNEWPALETTE = 0x030F;
inline constexpr UINT WM_PALETTECHANGED = 0x0311;
inline constexpr UINT WM_USER = 0x0400;
inline constexpr UINT WM_APP = 0x8000;

inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
inline constexpr WORD DC_HASDEFID = 0x534B;

// Kinds of WM_CTLCOLOR.
inline constexpr UINT CTLCOLOR_MSGBOX = 0;
inline constexpr UINT CTLCOLOR_EDIT = 1;
inline constexpr UINT CTLCOLOR_LISTBOX = 2;
inline constexpr UINT CTLCOLOR_BTN = 3;
inline constexpr UINT CTLCOLOR_DLG = 4;
inline constexpr UINT CTLCOLOR_SCROLLBAR = 5;
inline constexpr UINT CTLCOLOR_STATIC = 6;

// Control ids of the standard buttons (the answers of MessageBox.h are the same numbers).
inline constexpr UINT IDCLOSE = 8;
inline constexpr UINT IDHELP = 9;
inline constexpr int IDC_STATIC = -1;
inline constexpr UINT ID_HELP = 0xE146;

// Notification codes of WM_COMMAND.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT BN_DOUBLECLICKED = 5;
inline constexpr UINT BN_SETFOCUS = 6;
inline constexpr UINT BN_KILLFOCUS = 7;
inline constexpr UINT EN_SETFOCUS = 0x0100;
inline constexpr UINT EN_KILLFOCUS = 0x0200;
inline constexpr UINT EN_CHANGE = 0x0300;
inline constexpr UINT EN_UPDATE = 0x0400;
inline constexpr UINT EN_MAXTEXT = 0x0501;
inline constexpr UINT CBN_SELCHANGE = 1;
inline constexpr UINT CBN_DBLCLK = 2;
inline constexpr UINT CBN_SETFOCUS = 3;
inline constexpr UINT CBN_KILLFOCUS = 4;
inline constexpr UINT CBN_EDITCHANGE = 5;
inline constexpr UINT CBN_EDITUPDATE = 6;
inline constexpr UINT CBN_DROPDOWN = 7;
inline constexpr UINT CBN_CLOSEUP = 8;
inline constexpr UINT CBN_SELENDOK = 9;
inline constexpr UINT CBN_SELENDCANCEL = 10;
inline constexpr UINT LBN_SELCHANGE = 1;
inline constexpr UINT LBN_DBLCLK = 2;
inline constexpr UINT LBN_SETFOCUS = 4;
inline constexpr UINT LBN_KILLFOCUS = 5;
inline constexpr UINT STN_CLICKED = 0;
inline constexpr UINT STN_DBLCLK = 1;

// Notification codes of WM_NOTIFY.
inline constexpr UINT NM_CLICK = static_cast<UINT>(-2);
inline constexpr UINT NM_DBLCLK = static_cast<UINT>(-3);
inline constexpr UINT NM_RETURN = static_cast<UINT>(-4);
inline constexpr UINT NM_RCLICK = static_cast<UINT>(-5);
inline constexpr UINT NM_RDBLCLK = static_cast<UINT>(-6);
inline constexpr UINT NM_SETFOCUS = static_cast<UINT>(-7);
inline constexpr UINT NM_KILLFOCUS = static_cast<UINT>(-8);
inline constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);
inline constexpr UINT LVN_COLUMNCLICK = static_cast<UINT>(-108);
inline constexpr UINT LVN_KEYDOWN = static_cast<UINT>(-155);
inline constexpr UINT HDN_DIVIDERDBLCLICK = static_cast<UINT>(-305);
inline constexpr UINT HDN_ENDTRACK = static_cast<UINT>(-307);
inline constexpr UINT IPN_FIELDCHANGED = static_cast<UINT>(-860);

// Error results of combo and list boxes.
inline constexpr int CB_ERR = -1;
inline constexpr int LB_ERR = -1;
// Adding an item to a combo or list box (the DLGINIT data of a template may also use 0x403 and 0x401).
inline constexpr UINT CB_ADDSTRING = 0x0143;
inline constexpr UINT LB_ADDSTRING = 0x0180;

// Check states of buttons.
inline constexpr int BST_UNCHECKED = 0;
inline constexpr int BST_CHECKED = 1;
inline constexpr int BST_INDETERMINATE = 2;
inline constexpr int BST_PUSHED = 4;
inline constexpr int BST_FOCUS = 8;

// Window styles.
inline constexpr DWORD WS_OVERLAPPED = 0x00000000;
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_MINIMIZE = 0x20000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_DISABLED = 0x08000000;
inline constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
inline constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
inline constexpr DWORD WS_MAXIMIZE = 0x01000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_DLGFRAME = 0x00400000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_HSCROLL = 0x00100000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
inline constexpr DWORD WS_SIZEBOX = WS_THICKFRAME;
inline constexpr DWORD WS_OVERLAPPEDWINDOW =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
inline constexpr DWORD WS_POPUPWINDOW = WS_POPUP | WS_BORDER | WS_SYSMENU;

inline constexpr DWORD WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr DWORD WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr DWORD WS_EX_TOPMOST = 0x00000008;
inline constexpr DWORD WS_EX_TRANSPARENT = 0x00000020;
inline constexpr DWORD WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr DWORD WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr DWORD WS_EX_CONTEXTHELP = 0x00000400;
inline constexpr DWORD WS_EX_STATICEDGE = 0x00020000;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

// Dialog styles.
inline constexpr DWORD DS_ABSALIGN = 0x0001;
inline constexpr DWORD DS_SYSMODAL = 0x0002;
inline constexpr DWORD DS_3DLOOK = 0x0004;
inline constexpr DWORD DS_FIXEDSYS = 0x0008;
inline constexpr DWORD DS_NOFAILCREATE = 0x0010;
inline constexpr DWORD DS_SETFONT = 0x0040;
inline constexpr DWORD DS_MODALFRAME = 0x0080;
inline constexpr DWORD DS_SETFOREGROUND = 0x0200;
inline constexpr DWORD DS_CONTROL = 0x0400;
inline constexpr DWORD DS_CENTER = 0x0800;
inline constexpr DWORD DS_CENTERMOUSE = 0x1000;
inline constexpr DWORD DS_CONTEXTHELP = 0x2000;
inline constexpr DWORD DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// Edit styles.
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_CENTER = 0x0001;
inline constexpr DWORD ES_RIGHT = 0x0002;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_UPPERCASE = 0x0008;
inline constexpr DWORD ES_LOWERCASE = 0x0010;
inline constexpr DWORD ES_PASSWORD = 0x0020;
inline constexpr DWORD ES_AUTOVSCROLL = 0x0040;
inline constexpr DWORD ES_AUTOHSCROLL = 0x0080;
inline constexpr DWORD ES_NOHIDESEL = 0x0100;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;
inline constexpr DWORD ES_NUMBER = 0x2000;

// Button styles.
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD BS_CHECKBOX = 0x0002;
inline constexpr DWORD BS_AUTOCHECKBOX = 0x0003;
inline constexpr DWORD BS_RADIOBUTTON = 0x0004;
inline constexpr DWORD BS_3STATE = 0x0005;
inline constexpr DWORD BS_AUTO3STATE = 0x0006;
inline constexpr DWORD BS_GROUPBOX = 0x0007;
inline constexpr DWORD BS_AUTORADIOBUTTON = 0x0009;
inline constexpr DWORD BS_OWNERDRAW = 0x000B;
inline constexpr DWORD BS_TYPEMASK = 0x000F;
inline constexpr DWORD BS_LEFTTEXT = 0x0020;
inline constexpr DWORD BS_RIGHTBUTTON = BS_LEFTTEXT;
inline constexpr DWORD BS_ICON = 0x0040;
inline constexpr DWORD BS_BITMAP = 0x0080;
inline constexpr DWORD BS_LEFT = 0x0100;
inline constexpr DWORD BS_RIGHT = 0x0200;
inline constexpr DWORD BS_CENTER = 0x0300;
inline constexpr DWORD BS_TOP = 0x0400;
inline constexpr DWORD BS_BOTTOM = 0x0800;
inline constexpr DWORD BS_VCENTER = 0x0C00;
inline constexpr DWORD BS_PUSHLIKE = 0x1000;
inline constexpr DWORD BS_MULTILINE = 0x2000;
inline constexpr DWORD BS_NOTIFY = 0x4000;
inline constexpr DWORD BS_FLAT = 0x8000;

// Static styles.
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_RIGHT = 0x0002;
inline constexpr DWORD SS_ICON = 0x0003;
inline constexpr DWORD SS_BLACKRECT = 0x0004;
inline constexpr DWORD SS_GRAYRECT = 0x0005;
inline constexpr DWORD SS_WHITERECT = 0x0006;
inline constexpr DWORD SS_BLACKFRAME = 0x0007;
inline constexpr DWORD SS_GRAYFRAME = 0x0008;
inline constexpr DWORD SS_WHITEFRAME = 0x0009;
inline constexpr DWORD SS_SIMPLE = 0x000B;
inline constexpr DWORD SS_LEFTNOWORDWRAP = 0x000C;
inline constexpr DWORD SS_OWNERDRAW = 0x000D;
inline constexpr DWORD SS_BITMAP = 0x000E;
inline constexpr DWORD SS_ETCHEDHORZ = 0x0010;
inline constexpr DWORD SS_ETCHEDVERT = 0x0011;
inline constexpr DWORD SS_ETCHEDFRAME = 0x0012;
inline constexpr DWORD SS_TYPEMASK = 0x001F;
inline constexpr DWORD SS_NOPREFIX = 0x0080;
inline constexpr DWORD SS_NOTIFY = 0x0100;
inline constexpr DWORD SS_CENTERIMAGE = 0x0200;
inline constexpr DWORD SS_REALSIZEIMAGE = 0x0800;
inline constexpr DWORD SS_SUNKEN = 0x1000;
inline constexpr DWORD SS_ENDELLIPSIS = 0x4000;

// Combo box styles.
inline constexpr DWORD CBS_SIMPLE = 0x0001;
inline constexpr DWORD CBS_DROPDOWN = 0x0002;
inline constexpr DWORD CBS_DROPDOWNLIST = 0x0003;
inline constexpr DWORD CBS_AUTOHSCROLL = 0x0040;
inline constexpr DWORD CBS_OEMCONVERT = 0x0080;
inline constexpr DWORD CBS_SORT = 0x0100;
inline constexpr DWORD CBS_HASSTRINGS = 0x0200;
inline constexpr DWORD CBS_NOINTEGRALHEIGHT = 0x0400;
inline constexpr DWORD CBS_DISABLENOSCROLL = 0x0800;
inline constexpr DWORD CBS_UPPERCASE = 0x2000;
inline constexpr DWORD CBS_LOWERCASE = 0x4000;

// List box styles.
inline constexpr DWORD LBS_NOTIFY = 0x0001;
inline constexpr DWORD LBS_SORT = 0x0002;
inline constexpr DWORD LBS_NOREDRAW = 0x0004;
inline constexpr DWORD LBS_MULTIPLESEL = 0x0008;
inline constexpr DWORD LBS_HASSTRINGS = 0x0040;
inline constexpr DWORD LBS_USETABSTOPS = 0x0080;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x0100;
inline constexpr DWORD LBS_WANTKEYBOARDINPUT = 0x0400;
inline constexpr DWORD LBS_EXTENDEDSEL = 0x0800;
inline constexpr DWORD LBS_DISABLENOSCROLL = 0x1000;
inline constexpr DWORD LBS_NOSEL = 0x4000;
inline constexpr DWORD LBS_STANDARD = LBS_NOTIFY | LBS_SORT | WS_VSCROLL | WS_BORDER;

// List view styles, extended styles, item states and flags.
inline constexpr DWORD LVS_ICON = 0x0000;
inline constexpr DWORD LVS_REPORT = 0x0001;
inline constexpr DWORD LVS_SMALLICON = 0x0002;
inline constexpr DWORD LVS_LIST = 0x0003;
inline constexpr DWORD LVS_TYPEMASK = 0x0003;
inline constexpr DWORD LVS_SINGLESEL = 0x0004;
inline constexpr DWORD LVS_SHOWSELALWAYS = 0x0008;
inline constexpr DWORD LVS_SORTASCENDING = 0x0010;
inline constexpr DWORD LVS_SORTDESCENDING = 0x0020;
inline constexpr DWORD LVS_SHAREIMAGELISTS = 0x0040;
inline constexpr DWORD LVS_NOLABELWRAP = 0x0080;
inline constexpr DWORD LVS_AUTOARRANGE = 0x0100;
inline constexpr DWORD LVS_EDITLABELS = 0x0200;
inline constexpr DWORD LVS_OWNERDATA = 0x1000;
inline constexpr DWORD LVS_NOSCROLL = 0x2000;
inline constexpr DWORD LVS_NOCOLUMNHEADER = 0x4000;
inline constexpr DWORD LVS_NOSORTHEADER = 0x8000;

inline constexpr DWORD LVS_EX_GRIDLINES = 0x0001;
inline constexpr DWORD LVS_EX_SUBITEMIMAGES = 0x0002;
inline constexpr DWORD LVS_EX_CHECKBOXES = 0x0004;
inline constexpr DWORD LVS_EX_TRACKSELECT = 0x0008;
inline constexpr DWORD LVS_EX_HEADERDRAGDROP = 0x0010;
inline constexpr DWORD LVS_EX_FULLROWSELECT = 0x0020;
inline constexpr DWORD LVS_EX_ONECLICKACTIVATE = 0x0040;
inline constexpr DWORD LVS_EX_FLATSB = 0x0100;
inline constexpr DWORD LVS_EX_INFOTIP = 0x0400;
inline constexpr DWORD LVS_EX_LABELTIP = 0x4000;
inline constexpr DWORD LVS_EX_DOUBLEBUFFER = 0x00010000;

inline constexpr UINT LVIS_FOCUSED = 0x0001;
inline constexpr UINT LVIS_SELECTED = 0x0002;
inline constexpr UINT LVIS_CUT = 0x0004;
inline constexpr UINT LVIS_DROPHILITED = 0x0008;
inline constexpr UINT LVIS_OVERLAYMASK = 0x0F00;
inline constexpr UINT LVIS_STATEIMAGEMASK = 0xF000;
inline constexpr UINT INDEXTOSTATEIMAGEMASK(UINT i)
{
    return i << 12;
}

inline constexpr UINT LVNI_ALL = 0x0000;
inline constexpr UINT LVNI_FOCUSED = 0x0001;
inline constexpr UINT LVNI_SELECTED = 0x0002;
inline constexpr UINT LVNI_ABOVE = 0x0100;
inline constexpr UINT LVNI_BELOW = 0x0200;

inline constexpr UINT LVIF_TEXT = 0x0001;
inline constexpr UINT LVIF_IMAGE = 0x0002;
inline constexpr UINT LVIF_PARAM = 0x0004;
inline constexpr UINT LVIF_STATE = 0x0008;
inline constexpr UINT LVIF_INDENT = 0x0010;

inline constexpr UINT LVCF_FMT = 0x0001;
inline constexpr UINT LVCF_WIDTH = 0x0002;
inline constexpr UINT LVCF_TEXT = 0x0004;
inline constexpr UINT LVCF_SUBITEM = 0x0008;
inline constexpr UINT LVCF_IMAGE = 0x0010;
inline constexpr UINT LVCF_ORDER = 0x0020;

inline constexpr int LVCFMT_LEFT = 0x0000;
inline constexpr int LVCFMT_RIGHT = 0x0001;
inline constexpr int LVCFMT_CENTER = 0x0002;
inline constexpr int LVCFMT_JUSTIFYMASK = 0x0003;

inline constexpr int LVSCW_AUTOSIZE = -1;
inline constexpr int LVSCW_AUTOSIZE_USEHEADER = -2;

inline constexpr UINT LVIR_BOUNDS = 0;
inline constexpr UINT LVIR_ICON = 1;
inline constexpr UINT LVIR_LABEL = 2;
inline constexpr UINT LVIR_SELECTBOUNDS = 3;

inline constexpr UINT LVHT_NOWHERE = 0x0001;
inline constexpr UINT LVHT_ONITEMICON = 0x0002;
inline constexpr UINT LVHT_ONITEMLABEL = 0x0004;
inline constexpr UINT LVHT_ONITEMSTATEICON = 0x0008;
inline constexpr UINT LVHT_ONITEM = LVHT_ONITEMICON | LVHT_ONITEMLABEL | LVHT_ONITEMSTATEICON;

inline constexpr UINT LVFI_PARAM = 0x0001;
inline constexpr UINT LVFI_STRING = 0x0002;
inline constexpr UINT LVFI_PARTIAL = 0x0008;
inline constexpr UINT LVFI_WRAP = 0x0020;

// Header items.
inline constexpr UINT HDI_WIDTH = 0x0001;
inline constexpr UINT HDI_TEXT = 0x0002;
inline constexpr UINT HDI_FORMAT = 0x0004;
inline constexpr UINT HDI_LPARAM = 0x0008;
inline constexpr int HDF_LEFT = 0x0000;
inline constexpr int HDF_RIGHT = 0x0001;
inline constexpr int HDF_CENTER = 0x0002;
inline constexpr int HDF_STRING = 0x4000;

// Progress bar styles.
inline constexpr DWORD PBS_SMOOTH = 0x0001;
inline constexpr DWORD PBS_VERTICAL = 0x0004;

// Window class names of the controls a template or Create can name.
inline constexpr const char* WC_BUTTON = "Button";
inline constexpr const char* WC_EDIT = "Edit";
inline constexpr const char* WC_STATIC = "Static";
inline constexpr const char* WC_COMBOBOX = "ComboBox";
inline constexpr const char* WC_LISTBOX = "ListBox";
inline constexpr const char* WC_LISTVIEW = "SysListView32";
inline constexpr const char* WC_IPADDRESS = "SysIPAddress32";
inline constexpr const char* PROGRESS_CLASS = "msctls_progress32";

// ShowWindow.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_NORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_MAXIMIZE = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;
inline constexpr int SW_MINIMIZE = 6;
inline constexpr int SW_SHOWMINNOACTIVE = 7;
inline constexpr int SW_SHOWNA = 8;
inline constexpr int SW_RESTORE = 9;

// SetWindowPos.
inline constexpr UINT SWP_NOSIZE = 0x0001;
inline constexpr UINT SWP_NOMOVE = 0x0002;
inline constexpr UINT SWP_NOZORDER = 0x0004;
inline constexpr UINT SWP_NOREDRAW = 0x0008;
inline constexpr UINT SWP_NOACTIVATE = 0x0010;
inline constexpr UINT SWP_FRAMECHANGED = 0x0020;
inline constexpr UINT SWP_SHOWWINDOW = 0x0040;
inline constexpr UINT SWP_HIDEWINDOW = 0x0080;

// RedrawWindow.
inline constexpr UINT RDW_INVALIDATE = 0x0001;
inline constexpr UINT RDW_ERASE = 0x0004;
inline constexpr UINT RDW_ALLCHILDREN = 0x0080;
inline constexpr UINT RDW_UPDATENOW = 0x0100;
inline constexpr UINT RDW_ERASENOW = 0x0200;
inline constexpr UINT RDW_FRAME = 0x0400;

// WM_SIZE kinds and WM_SIZING edges.
inline constexpr UINT SIZE_RESTORED = 0;
inline constexpr UINT SIZE_MINIMIZED = 1;
inline constexpr UINT SIZE_MAXIMIZED = 2;
inline constexpr UINT WMSZ_LEFT = 1;
inline constexpr UINT WMSZ_RIGHT = 2;
inline constexpr UINT WMSZ_TOP = 3;
inline constexpr UINT WMSZ_BOTTOM = 6;
inline constexpr UINT WMSZ_BOTTOMRIGHT = 8;

// Mouse message flags.
inline constexpr UINT MK_LBUTTON = 0x0001;
inline constexpr UINT MK_RBUTTON = 0x0002;
inline constexpr UINT MK_SHIFT = 0x0004;
inline constexpr UINT MK_CONTROL = 0x0008;
inline constexpr UINT MK_MBUTTON = 0x0010;

// System commands.
inline constexpr UINT SC_SIZE = 0xF000;
inline constexpr UINT SC_MOVE = 0xF010;
inline constexpr UINT SC_MINIMIZE = 0xF020;
inline constexpr UINT SC_MAXIMIZE = 0xF030;
inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT SC_RESTORE = 0xF120;

// GetWindow.
inline constexpr UINT GW_HWNDFIRST = 0;
inline constexpr UINT GW_HWNDLAST = 1;
inline constexpr UINT GW_HWNDNEXT = 2;
inline constexpr UINT GW_HWNDPREV = 3;
inline constexpr UINT GW_OWNER = 4;
inline constexpr UINT GW_CHILD = 5;

// Standard cursors and icons.
inline constexpr UINT IDC_ARROW = 32512;
inline constexpr UINT IDC_IBEAM = 32513;
inline constexpr UINT IDC_WAIT = 32514;
inline constexpr UINT IDC_CROSS = 32515;
inline constexpr UINT IDC_UPARROW = 32516;
inline constexpr UINT IDC_SIZENWSE = 32642;
inline constexpr UINT IDC_SIZENESW = 32643;
inline constexpr UINT IDC_SIZEWE = 32644;
inline constexpr UINT IDC_SIZENS = 32645;
inline constexpr UINT IDC_SIZEALL = 32646;
inline constexpr UINT IDC_NO = 32648;
inline constexpr UINT IDC_HAND = 32649;
inline constexpr UINT IDC_APPSTARTING = 32650;
inline constexpr UINT IDI_APPLICATION = 32512;
inline constexpr UINT IDI_HAND = 32513;
inline constexpr UINT IDI_QUESTION = 32514;
inline constexpr UINT IDI_EXCLAMATION = 32515;
inline constexpr UINT IDI_ASTERISK = 32516;
inline constexpr UINT IDI_ERROR = IDI_HAND;
inline constexpr UINT IDI_WARNING = IDI_EXCLAMATION;
inline constexpr UINT IDI_INFORMATION = IDI_ASTERISK;

// Icon sizes of SetIcon.
inline constexpr UINT ICON_SMALL = 0;
inline constexpr UINT ICON_BIG = 1;

// Virtual keys.
inline constexpr UINT VK_BACK = 0x08;
inline constexpr UINT VK_TAB = 0x09;
inline constexpr UINT VK_RETURN = 0x0D;
inline constexpr UINT VK_SHIFT = 0x10;
inline constexpr UINT VK_CONTROL = 0x11;
inline constexpr UINT VK_MENU = 0x12;
inline constexpr UINT VK_ESCAPE = 0x1B;
inline constexpr UINT VK_SPACE = 0x20;
inline constexpr UINT VK_PRIOR = 0x21;
inline constexpr UINT VK_NEXT = 0x22;
inline constexpr UINT VK_END = 0x23;
inline constexpr UINT VK_HOME = 0x24;
inline constexpr UINT VK_LEFT = 0x25;
inline constexpr UINT VK_UP = 0x26;
inline constexpr UINT VK_RIGHT = 0x27;
inline constexpr UINT VK_DOWN = 0x28;
inline constexpr UINT VK_INSERT = 0x2D;
inline constexpr UINT VK_DELETE = 0x2E;
inline constexpr UINT VK_F1 = 0x70;
