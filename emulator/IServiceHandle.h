#pragma once
// Lets the emulator recognise its own profile, macro and application objects
// when a client hands one back (to activate or delete it).  A proxy handed
// back to the server unmarshals to the original object, so this private
// interface is only ever asked for inside one apartment and needs no proxy.

#include <windows.h>
#include <unknwn.h>

class CKeyboardState;

// {1F667719-58C8-4367-935A-75E110C1466C}
extern const IID IID_IServiceHandle;

struct IServiceHandle : public IUnknown {
    virtual const CKeyboardState* STDMETHODCALLTYPE Keyboard() = 0;
    virtual GUID STDMETHODCALLTYPE ItemGuid() = 0;
};

// The GUID of an item that belongs to keyboard; false for anything else.
bool GuidOfHandle(IUnknown* item, const CKeyboardState* keyboard, GUID& guid);
