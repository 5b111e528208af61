#include "skin/KvxMenu_win.h"

#include <array>
#include <string>

#include "platform/win32/PixelRects.h"
#include "platform/win32/WideText.h"

namespace zr {
namespace {

COLORREF ToColour(Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

}  // namespace

bool CKvxMenu::Load(HINSTANCE instance, int resourceId) {
  menu_.reset(::LoadMenuW(instance, MAKEINTRESOURCEW(resourceId)));
  records_.Reset();
  return menu_ && Convert(menu_.get());
}

bool CKvxMenu::Adopt(HMENU menu) {
  menu_.reset(menu);
  records_.Reset();
  return menu_ && Convert(menu_.get());
}

bool CKvxMenu::Convert(HMENU menu) {
  const int count = ::GetMenuItemCount(menu);
  for (int position = 0; position < count; ++position) {
    std::array<wchar_t, 256> text{};
    const int length = ::GetMenuStringW(menu, position, text.data(), static_cast<int>(text.size()), MF_BYPOSITION);
    const auto command = static_cast<std::int32_t>(::GetMenuItemID(menu, position));
    MenuItemRecord* record =
        records_.Add(FromWide(std::wstring_view(text.data(), length > 0 ? static_cast<std::size_t>(length) : 0)),
                     command);
    if (record == nullptr) return true;  // larger trees than the records stay as they are

    // Only the type and the item data change, so an item keeps its command
    // and, for an opener, its sub-menu.
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    info.fType = (info.fType & MFT_SEPARATOR) | MFT_OWNERDRAW;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(record);
    ::SetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);

    if (HMENU sub = ::GetSubMenu(menu, position)) Convert(sub);
  }
  return true;
}

bool CKvxMenu::MeasureItem(MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU || measure.itemData == 0) return false;
  const auto& record = *reinterpret_cast<const MenuItemRecord*>(measure.itemData);
  const MenuItemSize size = MeasureMenuItem(record);
  measure.itemWidth = static_cast<UINT>(size.width);
  measure.itemHeight = static_cast<UINT>(size.height);
  return true;
}

bool CKvxMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU || draw.itemData == 0) return false;
  const auto& record = *reinterpret_cast<const MenuItemRecord*>(draw.itemData);
  HDC dc = draw.hDC;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ToColour(kMenuText));
  const PixelRect item = FromRect(draw.rcItem);
  const std::wstring text = Wide(record.text);
  for (const MenuDrawOp& op : DrawMenuItem(record, item, (draw.itemState & ODS_SELECTED) != 0)) {
    RECT rect = ToRect(op.rect);
    switch (op.kind) {
      case MenuDrawOp::Kind::Fill: {
        UniqueBrush brush(::CreateSolidBrush(ToColour(op.colour)));
        ::FillRect(dc, &rect, brush.get());
        break;
      }
      case MenuDrawOp::Kind::Outline:
        ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
        break;
      case MenuDrawOp::Kind::Line: {
        UniqueHandle<HPEN, DeleteGdiObject> pen(::CreatePen(PS_SOLID, 1, ToColour(op.colour)));
        SelectedObject selected(dc, pen.get());
        ::MoveToEx(dc, rect.left, rect.top, nullptr);
        ::LineTo(dc, rect.right, rect.top);
        break;
      }
      case MenuDrawOp::Kind::Text:
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_SINGLELINE | DT_VCENTER);
        break;
    }
  }
  if ((draw.itemState & ODS_CHECKED) != 0 && record.commandId != kSeparatorCommand) {
    const MenuTick tick = MenuCheckTick(item);
    UniqueHandle<HPEN, DeleteGdiObject> pen(::CreatePen(PS_SOLID, 2, ToColour(kMenuText)));
    SelectedObject selected(dc, pen.get());
    const POINT points[3] = {{tick.x[0], tick.y[0]}, {tick.x[1], tick.y[1]}, {tick.x[2], tick.y[2]}};
    ::Polyline(dc, points, 3);
  }
  return true;
}

}  // namespace zr
