// The bare comparison program for the start-up benchmark: the same window
// and controls as Velmora.exe (sizes, font, colours, owner-drawn buttons,
// texts), made with plain Win32 calls from constants, without the stored
// record, its reader or the number panel.
#include <windows.h>

namespace {

struct Item {
  const wchar_t* window_class;
  const wchar_t* text;
  DWORD style, ex_style;
  int x, y, width, height;  // pixels at 96 dpi
  COLORREF back;
};

constexpr DWORD kLabel = WS_CHILD | WS_VISIBLE | SS_CENTER;
constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
constexpr DWORD kNote = WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_READONLY;

const Item kItems[] = {
    {L"EDIT",
     L"Да се реализира проект, чрез който се осъществява вътрешнопредметна връзка в Информатика.\r\n"
     L"Тема на проекта: Информатика - естествено число, сума и разлика от цифри.\r\n"
     L"Проектът да дава възможност въведеното цяло число:\r\n"
     L" - да се увеличава със сбор на на цифрите си;\r\n"
     L" - да се намалява със сбор на цифрите си.\r\n"
     L"Въвеждането на цялото число е в текстово поле, а промяната му се осъществява чрез командни бутони.\r\n"
     L"Проверете дали е възможно след последователно използване и на двата командни бутона числото да стане 0.\r\n",
     kNote | WS_VISIBLE, WS_EX_CLIENTEDGE, 16, 128, 497, 121, RGB(255, 255, 255)},
    {L"EDIT", L"Неприятното в това да си първият, направил нещо по правилния начин, е, че никой не оценява колко трудно е било. \r\n",
     kNote, WS_EX_CLIENTEDGE, 40, 152, 449, 121, RGB(255, 255, 255)},
    {L"STATIC", L"Естествено число - сума и разлика от цифри", kLabel, 0, 88, 0, 361, 25, RGB(255, 192, 128)},
    {L"STATIC", L"Число", kLabel, 0, 88, 40, 89, 25, RGB(255, 192, 128)},
    {L"BUTTON", L"Увеличава със сбор", kButton, 0, 288, 40, 161, 25, RGB(128, 255, 255)},
    {L"BUTTON", L"Намалява със сбор", kButton, 0, 288, 72, 161, 25, RGB(128, 128, 255)},
    {L"EDIT", L"112", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE,
     88, 64, 89, 27, RGB(255, 255, 255)},
};
constexpr int kCount = sizeof kItems / sizeof kItems[0];

HWND g_items[kCount];
HBRUSH g_brushes[kCount];
HBRUSH g_back;
HFONT g_font;

int Find(HWND window) {
  for (int i = 0; i < kCount; ++i)
    if (g_items[i] == window) return i;
  return -1;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(window, &r);
      FillRect(reinterpret_cast<HDC>(w), &r, g_back);
      return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT: {
      const int i = Find(reinterpret_cast<HWND>(l));
      if (i < 0) break;
      SetBkColor(reinterpret_cast<HDC>(w), kItems[i].back);
      return reinterpret_cast<LRESULT>(g_brushes[i]);
    }
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      const int i = Find(item.hwndItem);
      if (i < 0) break;
      RECT r = item.rcItem;
      FillRect(item.hDC, &r, g_brushes[i]);
      DrawEdge(item.hDC, &r, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      SetBkMode(item.hDC, TRANSPARENT);
      HGDIOBJ old = SelectObject(item.hDC, g_font);
      DrawTextW(item.hDC, kItems[i].text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      SelectObject(item.hDC, old);
      return TRUE;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, w, l);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  g_back = CreateSolidBrush(RGB(192, 192, 255));
  for (int i = 0; i < kCount; ++i) g_brushes[i] = CreateSolidBrush(kItems[i].back);
  g_font = CreateFontW(-16, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"Times New Roman");

  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof window_class;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = L"VelmoraBare";
  RegisterClassExW(&window_class);

  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame{0, 0, 536, 258};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, L"VelmoraBare", L"Bare Win32 window", style, 3, 29,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                instance, nullptr);
  for (int i = 0; i < kCount; ++i) {
    const Item& it = kItems[i];
    g_items[i] = CreateWindowExW(it.ex_style, it.window_class, it.text, it.style, it.x, it.y, it.width,
                                 it.height, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)),
                                 instance, nullptr);
    SendMessageW(g_items[i], WM_SETFONT, reinterpret_cast<WPARAM>(g_font), FALSE);
  }
  SendMessageW(g_items[kCount - 1], EM_SETLIMITTEXT, 4, 0);
  ShowWindow(window, show);
  UpdateWindow(window);
  SetFocus(g_items[0]);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageW(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
  return 0;
}
