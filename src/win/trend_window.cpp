#include "win/trend_window.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "console/text.h"
#include "monitor/monitor_texts.h"
#include "win/child_windows.h"
#include "win/utf16.h"

namespace {

constexpr const wchar_t* kWindowClass = L"DolvaneTrendWindow";
constexpr const wchar_t* kChartClass = L"DolvaneTrendChart";
constexpr UINT_PTR kRedrawTimer = 1;
constexpr UINT kRedrawMs = 250;
constexpr int kClientWidth = 820;  // as the Qt window's
constexpr int kClientHeight = 520;
constexpr int kGap = 8;
constexpr int kListWidth = 220;
constexpr COLORREF kCurveColours[TrendData::kMaxPicked] = {
    RGB(0x20, 0x9f, 0xdf), RGB(0x99, 0xca, 0x53), RGB(0xf6, 0xa6, 0x25), RGB(0x6d, 0x5f, 0xd5),
    RGB(0xbf, 0x59, 0x3e), RGB(0x38, 0xad, 0x6b), RGB(0x3c, 0x84, 0xa7), RGB(0xeb, 0x88, 0x17)};
constexpr int kValueTicks = 5;
constexpr int kAxisWidth = 56;  // a value axis' labels beside the plot

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

// Enough decimals to tell the ticks of this range apart.
std::wstring ValueLabel(double value, double range) {
  const int decimals = range >= 100 ? 0 : range >= 10 ? 1 : range >= 1 ? 2 : 3;
  std::string text;
  appendf(text, "%.*f", decimals, value);
  return Utf16(text);
}

std::wstring TimeLabel(double value) {
  std::string text;
  appendf(text, "%d", static_cast<int>(std::lround(value)));
  return Utf16(text);
}

void PutText(HDC dc, const std::wstring& text, int x, int y, UINT align) {
  SetTextAlign(dc, align);
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

constexpr int kStaticLabelIds[] = {201, 202, 203};  // 时间轴:, 间隔:, 曲线(最多8项):

}  // namespace

TrendWindow::TrendWindow(HWND owner, Handlers handlers) : handlers_(std::move(handlers)) { create(owner); }

TrendWindow::~TrendWindow() {
  if (window_) DestroyWindow(window_);
}

void TrendWindow::create(HWND owner) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = Proc;
    cls.hInstance = Instance();
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = kWindowClass;
    RegisterClassW(&cls);
    WNDCLASSW chart{};
    chart.lpfnWndProc = ChartProc;
    chart.hInstance = Instance();
    chart.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    chart.lpszClassName = kChartClass;
    RegisterClassW(&chart);
    registered = true;
  }
  font_ = reinterpret_cast<HFONT>(SendMessageW(owner, WM_GETFONT, 0, 0));
  RECT frame{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  window_ = CreateWindowExW(0, kWindowClass, Utf16(kTrendTitle).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                            CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                            Instance(), this);
  if (HICON icon = reinterpret_cast<HICON>(SendMessageW(owner, WM_GETICON, ICON_SMALL, 0)))
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

  NewChild(window_, L"STATIC", Utf16(kTrendSpanLabel), SS_LEFT | SS_CENTERIMAGE, kStaticLabelIds[0], font_);
  HWND span = NewChild(window_, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kSpanId, font_);
  for (int minutes : kTrendMinuteChoices)
    SendMessageW(span, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(TrendSpanText(minutes)).c_str()));
  SendMessageW(span, CB_SETCURSEL, kTrendDefaultMinutesIndex, 0);
  NewChild(window_, L"STATIC", Utf16(kTrendIntervalLabel), SS_LEFT | SS_CENTERIMAGE, kStaticLabelIds[1], font_);
  HWND interval = NewChild(window_, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kIntervalId, font_);
  int index = 0;
  for (int ms : kPollIntervalChoicesMs) {
    SendMessageW(interval, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(PollIntervalText(ms)).c_str()));
    if (ms == kDefaultPollIntervalMs) SendMessageW(interval, CB_SETCURSEL, index, 0);
    ++index;
  }
  NewChild(window_, L"BUTTON", Utf16(kLogSwitchText), BS_AUTOCHECKBOX | WS_TABSTOP, kLogSwitchId, font_);
  NewChild(window_, L"BUTTON", Utf16(kStopMonitorText), BS_PUSHBUTTON | WS_TABSTOP, kStopId, font_);
  NewChild(window_, L"STATIC", Utf16(CurvesLabel()), SS_LEFT, kStaticLabelIds[2], font_);
  list_ = NewChild(window_, WC_LISTVIEWW, L"",
                   WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                   kListId, font_);
  ListView_SetExtendedListViewStyle(list_, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNW column{};
  column.mask = LVCF_WIDTH;
  column.cx = kListWidth - 24;
  ListView_InsertColumn(list_, 0, &column);
  chart_ = CreateWindowExW(WS_EX_CLIENTEDGE, kChartClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kChartId)), Instance(), this);
  RECT client{};
  GetClientRect(window_, &client);
  layOut(client.right, client.bottom);
  setRunning(false);
}

void TrendWindow::layOut(int width, int height) {
  const int text = FontHeight(window_, font_);
  const int row = text + 10;
  int x = kGap;
  const auto label = [&](int id, const char* caption) {
    const int w = TextWidth(window_, font_, Utf16(caption)) + 4;
    Place(window_, id, x, kGap, w, row);
    x += w + 4;
  };
  label(kStaticLabelIds[0], kTrendSpanLabel);
  Place(window_, kSpanId, x, kGap, 120, row + 200);  // a combo's height is its open list's
  x += 120 + 12;
  label(kStaticLabelIds[1], kTrendIntervalLabel);
  Place(window_, kIntervalId, x, kGap, 100, row + 200);
  x += 100 + 12;
  Place(window_, kLogSwitchId, x, kGap, TextWidth(window_, font_, Utf16(kLogSwitchText)) + 28, row);
  const int stopWidth = std::max(88, TextWidth(window_, font_, Utf16(kStopMonitorText)) + 24);
  Place(window_, kStopId, width - kGap - stopWidth, kGap, stopWidth, row);

  const int top = kGap + row + kGap;
  Place(window_, kStaticLabelIds[2], kGap, top, kListWidth, text + 4);
  const int listTop = top + text + 8;
  Place(window_, kListId, kGap, listTop, kListWidth, std::max(0, height - kGap - listTop));
  const int chartLeft = kGap + kListWidth + kGap;
  MoveWindow(chart_, chartLeft, top, std::max(0, width - kGap - chartLeft), std::max(0, height - kGap - top), FALSE);
  InvalidateRect(window_, nullptr, TRUE);
}

void TrendWindow::showBeside() {
  if (IsWindowVisible(window_)) return;
  HWND owner = GetWindow(window_, GW_OWNER);
  RECT frame{}, mine{};
  GetWindowRect(owner, &frame);
  GetWindowRect(window_, &mine);
  MONITORINFO screen{};
  screen.cbSize = sizeof screen;
  GetMonitorInfoW(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &screen);
  const int width = mine.right - mine.left;
  // Beside the main window when the screen has room, else as far right as fits.
  const int x = std::max<int>(screen.rcWork.left, std::min<int>(frame.right, screen.rcWork.right - width));
  SetWindowPos(window_, nullptr, x, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
}

void TrendWindow::hide() { ShowWindow(window_, SW_HIDE); }

void TrendWindow::reset(const std::vector<QuantityColumn>& columns) {
  data_.reset(columns);
  filling_ = true;
  ListView_DeleteAllItems(list_);
  for (size_t i = 0; i < columns.size(); ++i) {
    const std::wstring heading = Utf16(columns[i].heading());
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(heading.c_str());
    ListView_InsertItem(list_, &item);
    ListView_SetCheckState(list_, static_cast<int>(i), data_.picked(static_cast<int>(i)));
  }
  filling_ = false;
  refresh();
}

void TrendWindow::setRunning(bool running) {
  EnableWindow(GetDlgItem(window_, kLogSwitchId), running);
  EnableWindow(GetDlgItem(window_, kStopId), running);
  if (running) {
    SetTimer(window_, kRedrawTimer, kRedrawMs, nullptr);
  } else {
    KillTimer(window_, kRedrawTimer);
    setLogging(false);
  }
}

void TrendWindow::setLogging(bool on) {
  SendDlgItemMessageW(window_, kLogSwitchId, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TrendWindow::refresh() { InvalidateRect(chart_, nullptr, FALSE); }

int TrendWindow::minutes() const {
  const LRESULT index = SendDlgItemMessageW(window_, kSpanId, CB_GETCURSEL, 0, 0);
  const int count = static_cast<int>(std::size(kTrendMinuteChoices));
  return kTrendMinuteChoices[index >= 0 && index < count ? index : kTrendDefaultMinutesIndex];
}

std::string TrendWindow::chooseLogFile(const std::string& last) { return ChooseLogFile(window_, last); }

void TrendWindow::onCommand(int id, int code) {
  if (id == kSpanId && code == CBN_SELCHANGE) {
    refresh();
  } else if (id == kIntervalId && code == CBN_SELCHANGE) {
    const LRESULT index = SendDlgItemMessageW(window_, kIntervalId, CB_GETCURSEL, 0, 0);
    if (index >= 0 && index < static_cast<LRESULT>(std::size(kPollIntervalChoicesMs)))
      handlers_.intervalChanged(kPollIntervalChoicesMs[index]);
  } else if (id == kLogSwitchId && code == BN_CLICKED) {
    handlers_.loggingToggled(SendDlgItemMessageW(window_, kLogSwitchId, BM_GETCHECK, 0, 0) == BST_CHECKED);
  } else if (id == kStopId && code == BN_CLICKED) {
    handlers_.stopRequested();
  }
}

void TrendWindow::onListChanged(const NMLISTVIEW& change) {
  if (filling_ || !(change.uChanged & LVIF_STATE) || change.iItem < 0) return;
  if (!((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK)) return;
  const bool on = ((change.uNewState & LVIS_STATEIMAGEMASK) >> 12) == 2;
  if (!data_.pick(change.iItem, on)) {
    filling_ = true;
    ListView_SetCheckState(list_, change.iItem, FALSE);  // a ninth pick is refused
    filling_ = false;
    return;
  }
  refresh();
}

void TrendWindow::paintChart(HDC dc, const RECT& area) const {
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ oldFont = SelectObject(dc, font_);
  SetBkMode(dc, TRANSPARENT);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int text = metrics.tmHeight;
  const TrendPicture picture = data_.picture(WallClockMs(std::chrono::system_clock::now()), minutes());

  // The legend's rows under the axes.
  std::vector<std::pair<int, int>> legendAt;  // per curve
  int legendX = area.left + 60;
  int legendRow = 0;
  for (const TrendCurve& curve : picture.curves) {
    const int width = 18 + TextWidth(chart_, font_, Utf16(curve.name)) + 16;
    if (legendX + width > area.right - 8 && legendX > area.left + 60) {
      legendX = area.left + 60;
      ++legendRow;
    }
    legendAt.emplace_back(legendX, legendRow);
    legendX += width;
  }
  const int legendHeight = picture.curves.empty() ? 0 : (legendRow + 1) * (text + 4) + 4;
  // Each unit its own value axis, the first on the left, the next on the
  // right, and so on outwards; with nothing picked, one empty one on the left.
  std::vector<TrendAxis> axes = picture.axes;
  if (axes.empty()) axes.push_back({"", picture.low, picture.high});
  const int leftAxes = static_cast<int>((axes.size() + 1) / 2);
  const int rightAxes = static_cast<int>(axes.size() / 2);
  RECT plot{area.left + 8 + kAxisWidth * leftAxes, area.top + 2 * text,
            area.right - (rightAxes ? 8 + kAxisWidth * rightAxes : 16), area.bottom - legendHeight - 2 * text - 12};
  if (plot.right <= plot.left || plot.bottom <= plot.top) {
    SelectObject(dc, oldFont);
    return;
  }
  const double xSpan = -picture.from;
  const auto px = [&](double x) { return plot.left + static_cast<int>(std::lround((x - picture.from) / xSpan * (plot.right - plot.left))); };
  const auto py = [&](const TrendAxis& axis, double y) {
    return plot.bottom - static_cast<int>(std::lround((y - axis.low) / (axis.high - axis.low) * (plot.bottom - plot.top)));
  };

  HPEN grid = CreatePen(PS_SOLID, 1, RGB(0xdd, 0xdd, 0xdd));
  HPEN frame = CreatePen(PS_SOLID, 1, RGB(0x80, 0x80, 0x80));
  HGDIOBJ oldPen = SelectObject(dc, grid);
  SetTextColor(dc, RGB(0x40, 0x40, 0x40));
  for (int k = 0; k < picture.tickCount; ++k) {
    const double x = picture.from + xSpan * k / (picture.tickCount - 1);
    MoveToEx(dc, px(x), plot.top, nullptr);
    LineTo(dc, px(x), plot.bottom);
    PutText(dc, TimeLabel(x), px(x), plot.bottom + 4, TA_CENTER | TA_TOP);
  }
  for (int k = 0; k < kValueTicks; ++k) {
    const int y = py(axes[0], axes[0].low + (axes[0].high - axes[0].low) * k / (kValueTicks - 1));
    MoveToEx(dc, plot.left, y, nullptr);
    LineTo(dc, plot.right, y);
  }
  for (size_t a = 0; a < axes.size(); ++a) {
    const TrendAxis& axis = axes[a];
    const int outwards = static_cast<int>(a / 2) * kAxisWidth;
    const bool left = a % 2 == 0;
    const int x = left ? plot.left - 6 - outwards : plot.right + 6 + outwards;
    const UINT align = (left ? TA_RIGHT : TA_LEFT) | TA_TOP;
    const double span = axis.high - axis.low;
    for (int k = 0; k < kValueTicks; ++k) {
      const double y = axis.low + span * k / (kValueTicks - 1);
      PutText(dc, ValueLabel(y, span), x, py(axis, y) - text / 2, align);
    }
    PutText(dc, Utf16(axis.unit), x, plot.top - text - 4, align);
  }
  PutText(dc, Utf16(picture.timeTitle), (plot.left + plot.right) / 2, plot.bottom + text + 8, TA_CENTER | TA_TOP);
  SelectObject(dc, frame);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  Rectangle(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);

  const int saved = SaveDC(dc);
  IntersectClipRect(dc, plot.left, plot.top, plot.right + 1, plot.bottom + 1);
  for (size_t i = 0; i < picture.curves.size(); ++i) {
    const TrendCurve& curve = picture.curves[i];
    std::vector<POINT> points;
    points.reserve(curve.points.size());
    const TrendAxis& axis = axes[static_cast<size_t>(curve.axis)];
    for (const TrendPoint& p : curve.points) points.push_back({px(p.x), py(axis, p.y)});
    HPEN pen = CreatePen(PS_SOLID, 2, kCurveColours[i % TrendData::kMaxPicked]);
    SelectObject(dc, pen);
    if (points.size() > 1) Polyline(dc, points.data(), static_cast<int>(points.size()));
    SelectObject(dc, frame);
    DeleteObject(pen);
  }
  RestoreDC(dc, saved);

  const int legendTop = area.bottom - legendHeight;
  for (size_t i = 0; i < picture.curves.size(); ++i) {
    const auto [x, rowIndex] = legendAt[i];
    const int y = legendTop + rowIndex * (text + 4);
    HBRUSH swatch = CreateSolidBrush(kCurveColours[i % TrendData::kMaxPicked]);
    RECT box{x, y + text / 2 - 5, x + 12, y + text / 2 + 5};
    FillRect(dc, &box, swatch);
    DeleteObject(swatch);
    PutText(dc, Utf16(picture.curves[i].name), x + 18, y, TA_LEFT | TA_TOP);
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldFont);
  DeleteObject(grid);
  DeleteObject(frame);
}

LRESULT CALLBACK TrendWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<TrendWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TrendWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_SIZE:
      if (self->chart_) self->layOut(LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_COMMAND:
      self->onCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->idFrom == kListId && header->code == LVN_ITEMCHANGED)
        self->onListChanged(*reinterpret_cast<const NMLISTVIEW*>(lParam));
      return 0;
    }
    case WM_TIMER:
      if (wParam == kRedrawTimer) self->refresh();
      return 0;
    case WM_CLOSE:
      // Closing stops monitoring and hides the window, as the Qt window's does.
      self->handlers_.stopRequested();
      self->hide();
      return 0;
    case WM_NCDESTROY:
      self->window_ = nullptr;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK TrendWindow::ChartProc(HWND chart, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrW(chart, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  auto* self = reinterpret_cast<TrendWindow*>(GetWindowLongPtrW(chart, GWLP_USERDATA));
  if (message == WM_ERASEBKGND) return 1;
  if (message == WM_PAINT && self) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(chart, &paint);
    RECT area{};
    GetClientRect(chart, &area);
    // Drawn off screen first, so a redraw never flickers.
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    HGDIOBJ old = SelectObject(buffer, bitmap);
    self->paintChart(buffer, area);
    BitBlt(dc, 0, 0, area.right, area.bottom, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
    EndPaint(chart, &paint);
    return 0;
  }
  return DefWindowProcW(chart, message, wParam, lParam);
}
