// An ordinary menu resource turned into owner-drawn items in the skin's
// colours. Every item carries the address of its record as item data, so
// the measure and draw handlers serve any converted menu.
#pragma once

#include <windows.h>

#include "platform/win32/Handles.h"
#include "skin/OwnerDrawnMenu.h"

namespace zr {

class CKvxMenu {
 public:
  CKvxMenu() = default;
  CKvxMenu(const CKvxMenu&) = delete;
  CKvxMenu& operator=(const CKvxMenu&) = delete;

  // Destroys the previous menu, loads `resourceId` and converts all of it;
  // false when the resource is missing.
  bool Load(HINSTANCE instance, int resourceId);
  // Takes over a menu built at run time and converts all of it, as Load does.
  bool Adopt(HMENU menu);
  // Every item of `menu` and of its sub-menus, depth first; sub-menus stay attached.
  bool Convert(HMENU menu);

  HMENU Handle() const { return menu_.get(); }
  // The tracked part of the resource; nullptr before a successful load.
  HMENU SubMenu(int position) const { return menu_ ? ::GetSubMenu(menu_.get(), position) : nullptr; }

  // For WM_MEASUREITEM and WM_DRAWITEM of menus; false for items this class
  // did not convert.
  static bool MeasureItem(MEASUREITEMSTRUCT& measure);
  static bool DrawItem(const DRAWITEMSTRUCT& draw);

 private:
  UniqueMenu menu_;
  MenuRecords records_;
};

}  // namespace zr
