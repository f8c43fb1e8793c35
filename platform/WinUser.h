// The window-manager part of the Win32 subset, as <winuser.h> would give it:
// rectangles, windows and their classes, the per-thread message queue,
// timers, painting, keyboard and mouse input, activation, focus and capture,
// the clipboard, cursors, system metrics, message boxes and dialogs made
// from an in-memory template.
//
// How this layer differs from Windows, everywhere below:
// - A window has no non-client area: its client area is the whole window
//   rectangle. Frames and captions are drawn by the toolkit itself.
// - There are no ANSI windows: WM_CHAR carries one UTF-16 code unit in
//   wParam whichever A or W function fetched it. The A functions convert
//   window texts with the machine's ANSI code page.
// - Input goes to the posted-message queue of the window's thread in the
//   order it arrives; a mouse button press activates its top-level window
//   when the thread fetches it.
// - Windows are drawn by copying 32-bit pixels (SetDIBitsToDevice); there
//   is no other drawing through a device context.
//
// Sections: Basic types; Rectangles and points; Messages; Message queue;
// Window classes and windows; Placement, visibility and z-order; Activation,
// enabling, focus and capture; Timers; Painting; Keyboard and mouse state;
// Clipboard; Cursors; System metrics; Message boxes and beeps; Dialogs from
// an in-memory template; Characters of ANSI text.
#pragma once

#include "platform/WinTypes.h"

// [SECTION] Basic types
typedef std::uintptr_t WPARAM;
typedef std::intptr_t LPARAM;
typedef std::intptr_t LRESULT;
typedef std::intptr_t INT_PTR;
typedef WORD ATOM;
typedef HANDLE HMENU;
typedef HANDLE HICON;
typedef HANDLE HBRUSH;
typedef HANDLE HDC;
typedef HANDLE HGDIOBJ;
typedef int INT;
typedef short SHORT;

typedef LRESULT (*WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef INT_PTR (*DLGPROC)(HWND, UINT, WPARAM, LPARAM);
typedef void (*TIMERPROC)(HWND, UINT, UINT_PTR, DWORD);

#define LOWORD(l) (static_cast<WORD>(static_cast<ULONG_PTR>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<ULONG_PTR>(l) >> 16) & 0xffff))
#define MAKELONG(a, b)                                                                             \
    (static_cast<LONG>((static_cast<DWORD>(static_cast<WORD>(a))) |                                \
                       (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define MAKEWPARAM(l, h) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define MAKELPARAM(l, h) (static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))))
#define GET_X_LPARAM(lp) (static_cast<int>(static_cast<short>(LOWORD(lp))))
#define GET_Y_LPARAM(lp) (static_cast<int>(static_cast<short>(HIWORD(lp))))
#define GET_WHEEL_DELTA_WPARAM(wp) (static_cast<short>(HIWORD(wp)))
#define MAKEINTRESOURCEA(i) (reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<ULONG_PTR>(p) >> 16) == 0)

// [SECTION] Rectangles and points
// Edges in pixels; right and bottom lie just outside the rectangle.
typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT {
    LONG x;
    LONG y;
} POINT, *LPPOINT;

typedef struct tagSIZE {
    LONG cx;
    LONG cy;
} SIZE, *LPSIZE;

// Sets all four edges of a rectangle to 0. FALSE for a null pointer.
BOOL SetRectEmpty(LPRECT lprc);

// Whether a rectangle has no area: its right edge is not right of its left
// edge, or its bottom edge not below its top edge. TRUE for a null pointer.
BOOL IsRectEmpty(LPCRECT lprc);

// The smallest rectangle holding both sources into lprcDst, which may be one
// of them. An empty source is left out; when both are empty the result is
// emptied and the call returns FALSE. FALSE for a null pointer.
BOOL UnionRect(LPRECT lprcDst, LPCRECT lprcSrc1, LPCRECT lprcSrc2);

// The overlap of both sources into lprcDst; emptied, FALSE, when they do not
// overlap.
BOOL IntersectRect(LPRECT lprcDst, LPCRECT lprcSrc1, LPCRECT lprcSrc2);
// Whether pt lies inside: left and top edges included, right and bottom not.
BOOL PtInRect(LPCRECT lprc, POINT pt);
BOOL OffsetRect(LPRECT lprc, int dx, int dy);
// Widens the rectangle by dx on the left and right and dy above and below
// (negative values narrow it).
BOOL InflateRect(LPRECT lprc, int dx, int dy);

// [SECTION] Messages
#define WM_NULL 0x0000
#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_MOVE 0x0003
#define WM_SIZE 0x0005
#define WM_ACTIVATE 0x0006
#define WM_SETFOCUS 0x0007
#define WM_KILLFOCUS 0x0008
#define WM_ENABLE 0x000A
#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ERASEBKGND 0x0014
#define WM_SHOWWINDOW 0x0018
#define WM_SETCURSOR 0x0020
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSKEYUP 0x0105
#define WM_SYSCHAR 0x0106
#define WM_IME_STARTCOMPOSITION 0x010D
#define WM_IME_ENDCOMPOSITION 0x010E
#define WM_IME_COMPOSITION 0x010F
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_TIMER 0x0113
#define WM_ENTERIDLE 0x0121
#define WM_MOUSEMOVE 0x0200
#define WM_LBUTTONDOWN 0x0201
#define WM_LBUTTONUP 0x0202
#define WM_LBUTTONDBLCLK 0x0203
#define WM_RBUTTONDOWN 0x0204
#define WM_RBUTTONUP 0x0205
#define WM_RBUTTONDBLCLK 0x0206
#define WM_MBUTTONDOWN 0x0207
#define WM_MBUTTONUP 0x0208
#define WM_MOUSEWHEEL 0x020A
#define WM_CAPTURECHANGED 0x0215
#define WM_DROPFILES 0x0233
#define WM_USER 0x0400
#define WM_APP 0x8000

// WM_ACTIVATE wParam (low word)
#define WA_INACTIVE 0
#define WA_ACTIVE 1
#define WA_CLICKACTIVE 2
// WM_ENTERIDLE wParam
#define MSGF_DIALOGBOX 0
// Mouse message wParam bits
#define MK_LBUTTON 0x0001
#define MK_RBUTTON 0x0002
#define MK_SHIFT 0x0004
#define MK_CONTROL 0x0008
#define MK_MBUTTON 0x0010
#define WHEEL_DELTA 120

typedef struct tagMSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
} MSG, *LPMSG;

#define PM_NOREMOVE 0x0000u
#define PM_REMOVE 0x0001u
#define QS_ALLINPUT 0x04FFu
#define MWMO_INPUTAVAILABLE 0x0004u

// [SECTION] Message queue
// Every thread that calls a message function or creates a window has a
// queue. A fetch looks, in this order, for: messages sent from other
// threads (carried out at once, never returned), posted and input messages,
// the quit request, WM_PAINT for a window of the thread that needs painting,
// and WM_TIMER for a timer that is due. WM_PAINT and WM_TIMER are thus only
// made when nothing else waits, as on Windows. hWnd null and both filters 0
// fetch everything; hWnd (HWND)-1 fetches only thread messages; a filter
// range limits the posted messages that match.
//
// GetMessage waits for a message and returns 0 for WM_QUIT (whose wParam is
// the exit code), -1 for an invalid hWnd, otherwise nonzero.
BOOL GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
BOOL GetMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax);
// As GetMessage without waiting; FALSE when nothing waits. PM_NOREMOVE
// leaves a posted message in the queue (a synthesised WM_PAINT stays due
// either way until the window is painted).
BOOL PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
BOOL PeekMessageW(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax, UINT wRemoveMsg);
// Posts to the queue of the window's thread; hWnd null posts to the calling
// thread. ERROR_INVALID_WINDOW_HANDLE for a window that does not exist.
BOOL PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// ERROR_INVALID_THREAD_ID when the thread has no queue.
BOOL PostThreadMessageA(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD idThread, UINT Msg, WPARAM wParam, LPARAM lParam);
// Calls the window procedure at once on the calling thread when the window
// is its own. A window of another thread: the message waits in that
// thread's queue until it fetches messages; the sender waits (carrying out
// messages sent to itself meanwhile) and gets the result. 0 when the window
// does not exist or is destroyed before it handled the message.
LRESULT SendMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT SendMessageW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
// WM_KEYDOWN of a key that makes a character posts WM_CHAR with that
// character (see the keyboard section); WM_SYSKEYDOWN posts WM_SYSCHAR.
// Characters typed as text arrive as WM_CHAR directly, with no key message.
BOOL TranslateMessage(const MSG* lpMsg);
// Calls the window procedure of lpMsg->hwnd (or the TIMERPROC in lParam of
// a WM_TIMER) and returns its result; 0 for a thread message.
LRESULT DispatchMessageA(const MSG* lpMsg);
LRESULT DispatchMessageW(const MSG* lpMsg);
// Asks the calling thread's message loop to end: its next fetch, once the
// posted messages are taken, is WM_QUIT with nExitCode.
void PostQuitMessage(int nExitCode);
// Waits until the queue has something new for the thread.
BOOL WaitMessage();
// The thread's last fetched message's time and position.
DWORD GetMessageTime();

// [SECTION] Window classes and windows
#define CS_VREDRAW 0x0001u
#define CS_HREDRAW 0x0002u
#define CS_DBLCLKS 0x0008u

typedef struct tagWNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
} WNDCLASSA;
typedef struct tagWNDCLASSW {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCWSTR lpszMenuName;
    LPCWSTR lpszClassName;
} WNDCLASSW;

// Registers a window procedure under a name (compared without regard to
// case); the class cursor is shown over its windows. Returns the class atom,
// 0 with ERROR_CLASS_ALREADY_EXISTS for a name taken. Classes are process-
// wide; the instance is not part of the name.
ATOM RegisterClassA(const WNDCLASSA* lpWndClass);
ATOM RegisterClassW(const WNDCLASSW* lpWndClass);

#define WS_OVERLAPPED 0x00000000u
#define WS_POPUP 0x80000000u
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_DISABLED 0x08000000u
#define WS_CLIPSIBLINGS 0x04000000u
#define WS_CLIPCHILDREN 0x02000000u
#define WS_CAPTION 0x00C00000u
#define WS_BORDER 0x00800000u
#define WS_SYSMENU 0x00080000u
#define WS_THICKFRAME 0x00040000u
#define WS_OVERLAPPEDWINDOW 0x00CF0000u
#define WS_EX_TOPMOST 0x00000008u
#define WS_EX_ACCEPTFILES 0x00000010u
#define WS_EX_TOOLWINDOW 0x00000080u
#define WS_EX_APPWINDOW 0x00040000u
#define CW_USEDEFAULT (static_cast<int>(0x80000000u))

typedef struct tagCREATESTRUCTW {
    LPVOID lpCreateParams;
    HINSTANCE hInstance;
    HMENU hMenu;
    HWND hwndParent;
    int cy;
    int cx;
    int y;
    int x;
    LONG style;
    LPCWSTR lpszName;
    LPCWSTR lpszClass;
    DWORD dwExStyle;
} CREATESTRUCTW, *LPCREATESTRUCTW;

// Creates a window of a registered class on the calling thread. With
// WS_CHILD, hWndParent is the parent and x, y are in its client
// coordinates; otherwise x, y are screen coordinates and hWndParent, when
// given, is the owner (an owned window stays above its owner and is
// destroyed with it). CW_USEDEFAULT places at 0 and sizes to half the
// screen. The procedure gets WM_NCCREATE and WM_CREATE with a CREATESTRUCTW
// (returning FALSE or -1 destroys the window: the call returns null). With
// WS_VISIBLE the window is then shown as by ShowWindow(SW_SHOW).
// ERROR_CANNOT_FIND_WND_CLASS for an unknown class, ERROR_INVALID_WINDOW_HANDLE
// for a parent or owner that does not exist; a child needs a parent
// (ERROR_TLW_WITH_WSCHILD).
HWND CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                     int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam);
HWND CreateWindowExW(DWORD dwExStyle, LPCWSTR lpClassName, LPCWSTR lpWindowName, DWORD dwStyle,
                     int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                     HINSTANCE hInstance, LPVOID lpParam);
// Destroys the window's owned windows and children, then the window itself:
// hidden, WM_DESTROY then WM_NCDESTROY to it, its timers killed, its posted
// messages dropped; activation passes to its owner, capture and focus are
// released. Only the window's own thread may destroy it (ERROR_ACCESS_DENIED).
BOOL DestroyWindow(HWND hWnd);
BOOL IsWindow(HWND hWnd);
// A child's parent, or a top-level window's owner; null for neither.
HWND GetParent(HWND hWnd);
#define GW_OWNER 4
// GW_OWNER: the owner of a top-level window.
HWND GetWindow(HWND hWnd, UINT uCmd);
// Whether hWndChild lies below hWndParent in the parent-child tree.
BOOL IsChild(HWND hWndParent, HWND hWndChild);
// The top-level window under a screen point (visible, topmost first), or the
// deepest visible child there; null over the desktop.
HWND WindowFromPoint(POINT Point);
DWORD GetWindowThreadProcessId(HWND hWnd, LPDWORD lpdwProcessId);

BOOL SetWindowTextA(HWND hWnd, LPCSTR lpString);
BOOL SetWindowTextW(HWND hWnd, LPCWSTR lpString);
// Copies at most nMaxCount - 1 characters and a terminator; returns the
// characters copied.
int GetWindowTextA(HWND hWnd, LPSTR lpString, int nMaxCount);
int GetWindowTextW(HWND hWnd, LPWSTR lpString, int nMaxCount);
int GetWindowTextLengthW(HWND hWnd);

#define GWLP_WNDPROC (-4)
#define GWLP_HINSTANCE (-6)
#define GWLP_ID (-12)
#define GWL_STYLE (-16)
#define GWL_EXSTYLE (-20)
#define GWLP_USERDATA (-21)
// Reads or sets one of the indexes above; Set returns the previous value.
// Changing GWL_STYLE's WS_VISIBLE or WS_DISABLED bit changes only the bit
// (as on Windows: use ShowWindow and EnableWindow). ERROR_INVALID_INDEX for
// another index.
LONG_PTR GetWindowLongPtrA(HWND hWnd, int nIndex);
LONG_PTR GetWindowLongPtrW(HWND hWnd, int nIndex);
LONG_PTR SetWindowLongPtrA(HWND hWnd, int nIndex, LONG_PTR dwNewLong);
LONG_PTR SetWindowLongPtrW(HWND hWnd, int nIndex, LONG_PTR dwNewLong);

// The default handling: WM_CLOSE destroys the window; WM_PAINT validates
// it; WM_ACTIVATE gives the focus to the window when it becomes active;
// WM_SETCURSOR sets the class cursor; WM_GETTEXT and WM_SETTEXT read and set
// the text; everything else 0.
LRESULT DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProcW(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcA(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);
LRESULT CallWindowProcW(WNDPROC lpPrevWndFunc, HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam);

// [SECTION] Placement, visibility and z-order
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_SHOWNA 8

// Shows or hides. Showing a top-level window with SW_SHOW or SW_SHOWNORMAL
// brings it to the top and activates it; SW_SHOWNOACTIVATE and SW_SHOWNA do
// not. Hiding the active window activates its owner or the next visible
// top-level window. Returns whether the window was visible before.
BOOL ShowWindow(HWND hWnd, int nCmdShow);
// Whether the window and all its parents have WS_VISIBLE.
BOOL IsWindowVisible(HWND hWnd);

#define HWND_TOP (reinterpret_cast<HWND>(0))
#define HWND_BOTTOM (reinterpret_cast<HWND>(1))
#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOREDRAW 0x0008u
#define SWP_NOACTIVATE 0x0010u
#define SWP_FRAMECHANGED 0x0020u
#define SWP_SHOWWINDOW 0x0040u
#define SWP_HIDEWINDOW 0x0080u
#define SWP_NOOWNERZORDER 0x0200u

// Moves, sizes, restacks (among its siblings or the top-level windows:
// HWND_TOP, HWND_BOTTOM or below hWndInsertAfter), shows or hides a window.
// A top-level window that is not SWP_NOACTIVATE and is shown is activated.
// SWP_HIDEWINDOW with SWP_NOACTIVATE hides the window and leaves it active
// (the caller passes activation on itself, as a modal loop's end does);
// without SWP_NOACTIVATE hiding passes activation on as ShowWindow does.
// A change of size repaints the whole window unless SWP_NOREDRAW.
BOOL SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int X, int Y, int cx, int cy, UINT uFlags);
BOOL MoveWindow(HWND hWnd, int X, int Y, int nWidth, int nHeight, BOOL bRepaint);
// The window rectangle in screen coordinates.
BOOL GetWindowRect(HWND hWnd, LPRECT lpRect);
// (0, 0, width, height): the whole window is client area.
BOOL GetClientRect(HWND hWnd, LPRECT lpRect);
BOOL ScreenToClient(HWND hWnd, LPPOINT lpPoint);
BOOL ClientToScreen(HWND hWnd, LPPOINT lpPoint);

// [SECTION] Activation, enabling, focus and capture
// The active window is one top-level window of the machine's desktop (this
// layer keeps one foreground for all threads). Activating sends WM_ACTIVATE
// (WA_INACTIVE) to the previous one and WM_ACTIVATE (WA_ACTIVE) to the new
// one and brings it to the top with its owned windows above it. A disabled
// window cannot be activated (null is returned). Returns the previous one.
HWND SetActiveWindow(HWND hWnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hWnd);
HWND GetForegroundWindow();
// A disabled window gets no mouse or keyboard input: a click over a
// disabled top-level window is dropped, over a disabled child it goes to the
// nearest enabled parent; disabling the focus window takes the focus away.
// Sends WM_ENABLE. Returns whether the window was disabled before.
BOOL EnableWindow(HWND hWnd, BOOL bEnable);
// Whether WS_DISABLED is clear.
BOOL IsWindowEnabled(HWND hWnd);
// Gives the keyboard focus (WM_KILLFOCUS to the previous window, WM_SETFOCUS
// to the new one); its top-level window is activated first when it is not
// active. Null takes the focus away. Returns the previous focus window.
HWND SetFocus(HWND hWnd);
HWND GetFocus();
// Sends every mouse message to hWnd until ReleaseCapture, wherever the
// mouse is; the previous capture window gets WM_CAPTURECHANGED.
HWND SetCapture(HWND hWnd);
BOOL ReleaseCapture();
HWND GetCapture();

// [SECTION] Timers
// A window timer posts nothing: WM_TIMER (wParam the identifier, lParam the
// TIMERPROC) is made by the fetch when the period has passed and nothing
// else waits; a timer that fell behind fires once, not once per missed
// period. Setting an existing identifier of the window restarts it. With
// hWnd null the identifier is chosen and returned (a thread timer). Periods
// below 10 ms count as 10 ms.
UINT_PTR SetTimer(HWND hWnd, UINT_PTR nIDEvent, UINT uElapse, TIMERPROC lpTimerFunc);
BOOL KillTimer(HWND hWnd, UINT_PTR uIDEvent);

// [SECTION] Painting
typedef struct tagPAINTSTRUCT {
    HDC hdc;
    BOOL fErase;
    RECT rcPaint;
    BOOL fRestore;
    BOOL fIncUpdate;
    BYTE rgbReserved[32];
} PAINTSTRUCT, *LPPAINTSTRUCT;

// Adds a rectangle of the client area (null: all of it) to the window's
// update rectangle; WM_PAINT follows when the queue is otherwise empty.
BOOL InvalidateRect(HWND hWnd, LPCRECT lpRect, BOOL bErase);
BOOL ValidateRect(HWND hWnd, LPCRECT lpRect);
// The update rectangle; FALSE when there is none.
BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase);
// Sends WM_PAINT at once when the window needs painting.
BOOL UpdateWindow(HWND hWnd);
// Takes the update rectangle into lpPaint->rcPaint, validates the window,
// and returns a device context clipped to that rectangle.
HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint);
BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint);
// A device context of the whole client area; release it with ReleaseDC.
HDC GetDC(HWND hWnd);
int ReleaseDC(HWND hWnd, HDC hDC);

// [SECTION] Keyboard and mouse state
#define VK_LBUTTON 0x01
#define VK_RBUTTON 0x02
#define VK_MBUTTON 0x04
#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_PRIOR 0x21
#define VK_NEXT 0x22
#define VK_END 0x23
#define VK_HOME 0x24
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_INSERT 0x2D
#define VK_DELETE 0x2E
#define VK_ADD 0x6B
#define VK_SUBTRACT 0x6D
#define VK_F1 0x70

// The high bit (the result is negative) when the key is down now.
SHORT GetAsyncKeyState(int vKey);
// The key's state as the calling thread's fetched input messages left it:
// the high bit when down. TranslateMessage uses this state too.
SHORT GetKeyState(int vKey);
// The mouse position in screen coordinates.
BOOL GetCursorPos(LPPOINT lpPoint);

// [SECTION] Clipboard
#define CF_TEXT 1
#define CF_UNICODETEXT 13

// One clipboard for the machine's desktop. OpenClipboard fails while
// another thread holds it open. SetClipboardData takes ownership of a
// global memory block (GlobalAlloc) and needs the clipboard open and
// emptied by the caller (EmptyClipboard); GetClipboardData returns the
// block, which stays the clipboard's. Only CF_UNICODETEXT and CF_TEXT are
// kept; CF_TEXT is not converted from CF_UNICODETEXT.
BOOL OpenClipboard(HWND hWndNewOwner);
BOOL CloseClipboard();
BOOL EmptyClipboard();
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
HANDLE GetClipboardData(UINT uFormat);
BOOL IsClipboardFormatAvailable(UINT format);

// [SECTION] Cursors
#define IDC_ARROW MAKEINTRESOURCEA(32512)
#define IDC_IBEAM MAKEINTRESOURCEA(32513)
#define IDC_WAIT MAKEINTRESOURCEA(32514)
#define IDC_CROSS MAKEINTRESOURCEA(32515)
#define IDC_UPARROW MAKEINTRESOURCEA(32516)
#define IDC_SIZENWSE MAKEINTRESOURCEA(32642)
#define IDC_SIZENESW MAKEINTRESOURCEA(32643)
#define IDC_SIZEWE MAKEINTRESOURCEA(32644)
#define IDC_SIZENS MAKEINTRESOURCEA(32645)
#define IDC_SIZEALL MAKEINTRESOURCEA(32646)
#define IDC_NO MAKEINTRESOURCEA(32648)
#define IDC_HAND MAKEINTRESOURCEA(32649)
#define IDC_APPSTARTING MAKEINTRESOURCEA(32650)

// Only the system cursors (hInstance null, an identifier above); each has
// one handle for the life of the process. ERROR_RESOURCE_NAME_NOT_FOUND
// otherwise.
HCURSOR LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName);
HCURSOR LoadCursorW(HINSTANCE hInstance, LPCWSTR lpCursorName);
// Shows the cursor (null: none) and returns the previous one.
HCURSOR SetCursor(HCURSOR hCursor);
HCURSOR GetCursor();

// [SECTION] System metrics
#define SM_CXSCREEN 0
#define SM_CYSCREEN 1
#define SM_CXVSCROLL 2
#define SM_CYHSCROLL 3
#define SM_CYCAPTION 4
#define SM_CXBORDER 5
#define SM_CYBORDER 6
#define SM_CXFULLSCREEN 16
#define SM_CYFULLSCREEN 17
#define SM_CXFRAME 32
#define SM_CYFRAME 33
#define SM_CXMAXTRACK 59
#define SM_CYMAXTRACK 60
#define SM_CXDOUBLECLK 36
#define SM_CYDOUBLECLK 37
#define SM_DBCSENABLED 42
#define SPI_GETWORKAREA 0x0030u

// The screen size comes from the machine settings. The work area is the
// screen less a task bar of 30 pixels at the bottom; the full-screen area is
// the work area less a caption (SM_CYCAPTION, 18 pixels). SM_DBCSENABLED is
// 1 when the ANSI code page is 932. Frames are 4 pixels, borders 1,
// scroll bars 16, the double-click rectangle 4 x 4. A top-level window is
// never larger than the screen and its frames (SM_CXMAXTRACK,
// SM_CYMAXTRACK): a larger size asked for is cut to that. Any other index
// gives 0.
int GetSystemMetrics(int nIndex);
inline constexpr int kDoubleClickWidth = 4;
inline constexpr int kDoubleClickHeight = 4;
// Milliseconds between two presses of a double click: 500.
UINT GetDoubleClickTime();
// SPI_GETWORKAREA only: the work area into the RECT at pvParam.
// ERROR_INVALID_PARAMETER for another action or a null pvParam.
BOOL SystemParametersInfoA(UINT uiAction, UINT uiParam, PVOID pvParam, UINT fWinIni);

// [SECTION] Message boxes and beeps
#define MB_OK 0x00000000u
#define MB_OKCANCEL 0x00000001u
#define MB_ABORTRETRYIGNORE 0x00000002u
#define MB_YESNOCANCEL 0x00000003u
#define MB_YESNO 0x00000004u
#define MB_RETRYCANCEL 0x00000005u
#define MB_ICONERROR 0x00000010u
#define MB_ICONQUESTION 0x00000020u
#define MB_ICONWARNING 0x00000030u
#define MB_ICONINFORMATION 0x00000040u
#define MB_DEFBUTTON2 0x00000100u
#define MB_DEFBUTTON3 0x00000200u
#define MB_SETFOREGROUND 0x00010000u
#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7

// The box is recorded (see platform/ui/MessageBoxLog.h, where tests read
// it) and written to stderr. On the screen display it is shown and the call
// waits for the button pressed; on the headless display, and while an input
// script plays, it answers at once with the default button of the button set
// (the first, or the one MB_DEFBUTTON2/3 names).
int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);
int MessageBoxW(HWND hWnd, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType);
// Recorded like a message box's sound; nothing is heard.
BOOL MessageBeep(UINT uType);

// [SECTION] Dialogs from an in-memory template
#define DS_SETFONT 0x40u
#define DS_MODALFRAME 0x80u
#define DS_NOIDLEMSG 0x100u
#define DS_CENTER 0x0800u
#define DWLP_MSGRESULT 0

#pragma pack(push, 2)
typedef struct {
    DWORD style;
    DWORD dwExtendedStyle;
    WORD cdit;
    short x;
    short y;
    short cx;
    short cy;
} DLGTEMPLATE;
#pragma pack(pop)
typedef const DLGTEMPLATE* LPCDLGTEMPLATEA;
typedef const DLGTEMPLATE* LPCDLGTEMPLATEW;

// Creates a modeless dialog window from a template of the classic layout
// (DLGTEMPLATE, then the menu, the class and the title as WORD arrays, then
// with DS_SETFONT the point size and face name) that holds no controls
// (cdit 0; otherwise ERROR_INVALID_PARAMETER). Dialog units become pixels
// with the fixed base units 6 (horizontal) and 13 (vertical): x * 6 / 4,
// y * 13 / 8. The dialog procedure gets WM_INITDIALOG (lParam dwInitParam);
// its TRUE result for any message is the message's answer, FALSE leaves the
// message to the default handling. With WS_VISIBLE the dialog is shown
// after WM_INITDIALOG. hWndParent is the owner, or the parent for WS_CHILD.
HWND CreateDialogIndirectParamA(HINSTANCE hInstance, LPCDLGTEMPLATEA lpTemplate, HWND hWndParent,
                                DLGPROC lpDialogFunc, LPARAM dwInitParam);
// Records the dialog's result and marks it ended; the modal loop that runs
// the dialog (CWnd::RunModalLoop) returns the result. Hides nothing itself.
BOOL EndDialog(HWND hDlg, INT_PTR nResult);

// [SECTION] Help files
#define HELP_CONTEXT 0x0001u

// Opens a help file of the older kind in the program the machine has
// registered for its extension (HKEY_CLASSES_ROOT\.hlp names a file type
// whose shell\open\command is run, "%1" standing for the file; the topic is
// not passed on). FALSE with ERROR_FILE_NOT_FOUND when the file does not
// exist, ERROR_NO_ASSOCIATION when no program is registered.
BOOL WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);
BOOL WinHelpW(HWND hWndMain, LPCWSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);

// [SECTION] Characters of ANSI text
// CharNextExA: the character after lpCurrentChar in a null-terminated string
// of CodePage (CP_ACP: the machine's ANSI code page); two bytes on for the
// lead byte of a double-byte character, one otherwise. At the terminator it
// returns lpCurrentChar itself; a lead byte just before the terminator
// counts as one byte, so the result never passes the terminator. dwFlags is
// reserved (0).
LPSTR CharNextExA(WORD CodePage, LPCSTR lpCurrentChar, DWORD dwFlags);
// CharPrevExA: the character before lpCurrentChar, found by walking from
// lpStart (a trail byte cannot be told from a character otherwise); lpStart
// itself when lpCurrentChar is lpStart.
LPSTR CharPrevExA(WORD CodePage, LPCSTR lpStart, LPCSTR lpCurrentChar, DWORD dwFlags);
// CharNextA and CharPrevA: the same in the machine's ANSI code page.
LPSTR CharNextA(LPCSTR lpsz);
LPSTR CharPrevA(LPCSTR lpszStart, LPCSTR lpszCurrent);
