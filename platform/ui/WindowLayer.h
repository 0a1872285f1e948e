// Everything a window of the program is written with: the application object,
// dialogs, controls, data exchange, message maps, message boxes, cursors and
// icons, and the resource scripts' contents.
#pragma once

#include "platform/ui/CButton.h"
#include "platform/ui/CComboBox.h"
#include "platform/ui/CDataExchange.h"
#include "platform/ui/CDialog.h"
#include "platform/ui/CEdit.h"
#include "platform/ui/CHeaderCtrl.h"
#include "platform/ui/CIPAddressCtrl.h"
#include "platform/ui/CListBox.h"
#include "platform/ui/CListCtrl.h"
#include "platform/ui/CProgressCtrl.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/CWaitCursor.h"
#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/CursorIcon.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ResourceStore.h"
