// Base of the objects that receive messages and commands, as MFC's CCmdTarget,
// with the message-map structures. A class declares its handling once with
// DECLARE_MESSAGE_MAP() and defines it in its .cpp between
// BEGIN_MESSAGE_MAP(theClass, baseClass) and END_MESSAGE_MAP(); each map is a
// static table chained to the base class's table, searched derived first.
// The entry macros (ON_WM_PAINT, ON_COMMAND, ON_MESSAGE, ...) are in AfxMsgMap.h.
#pragma once
#include "CObject.h"

class CCmdTarget;

// An entry's handler: unpacks wParam/lParam for one kind of message, calls the
// member function and packs its result.
typedef LRESULT (*AFX_PMSG)(CCmdTarget* pTarget, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage; // window message; WM_COMMAND for command entries
    UINT nCode;    // command entries: notification code (CN_COMMAND for ON_COMMAND)
    UINT nID;      // command entries: first control or command identifier
    UINT nLastID;  // command entries: last identifier
    AFX_PMSG pfn;  // null in the terminating entry
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define CN_COMMAND 0

#define DECLARE_MESSAGE_MAP() \
protected: \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() \
    { \
        using ThisClass [[maybe_unused]] = theClass; \
        using TheBaseClass = baseClass; \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP() \
            { 0, 0, 0, 0, nullptr } \
        }; \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap; \
    }

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;

    // Routes a command (WM_COMMAND with code nCode from control or menu item
    // nID) to the first matching command entry of the map; FALSE when none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The first entry for the message in this object's map chain, derived
    // classes first; for WM_COMMAND the code and identifier must match too.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const;
};
