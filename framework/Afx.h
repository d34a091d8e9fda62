// The framework in one include: strings, containers, value types, run-time
// classes, module state, message maps, windows, dialogs, controls and GDI owners.
#pragma once
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include "CString.h"
#include "CArray.h"
#include "CMap.h"
#include "CSize.h"
#include "CPoint.h"
#include "CRect.h"
#include "CRuntimeClass.h"
#include "CObject.h"
#include "AFX_MODULE_STATE.h"
#include "CCmdTarget.h"
#include "AfxMsgMap.h"
#include "CGdiObject.h"
#include "CFont.h"
#include "CDC.h"
#include "CPaintDC.h"
#include "CClientDC.h"
#include "CMemoryDC.h"
#include "CScopedSelect.h"
#include "CGdiHandleT.h"
#include "CHandleOwner.h"
#include "CWnd.h"
#include "CScrollBar.h"
#include "CWinApp.h"
#include "CDialog.h"
#include "CButton.h"
#include "CStatic.h"
#include "CToolTipCtrl.h"
