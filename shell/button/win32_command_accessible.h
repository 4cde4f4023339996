// What accessibility clients (screen readers) see of a `Command`: a push
// button named by its caption, whose default action clicks it.
#pragma once

#include <windows.h>

namespace tessarine::button {

// The answer to WM_GETOBJECT sent to a button's window: its push-button
// object for OBJID_CLIENT, the system's default for every other object.
LRESULT answer_get_object(HWND button, WPARAM wparam, LPARAM lparam);

}  // namespace tessarine::button
